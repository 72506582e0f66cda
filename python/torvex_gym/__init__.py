"""Reinforcement-learning environment for trading one market symbol."""

from torvex_gym._torvex_gym import RawEnv, __version__

__all__ = ["RawEnv", "__version__"]
