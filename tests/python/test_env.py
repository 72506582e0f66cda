"""The environment through RawEnv with real JSON documents."""

import json
import math
import subprocess
import sys

import pytest

import torvex_gym._torvex_gym as native
from torvex_gym import RawEnv

from conftest import Driver, bar, make_spec


def test_module_surface():
    assert native.__all__ == ["RawEnv", "__version__"]
    assert native.__version__ == "0.2.0"
    assert RawEnv.version() == "0.2.0"
    assert RawEnv(json.dumps(make_spec())).version() == "0.2.0"
    assert RawEnv.__doc__.startswith("A raw environment handle")


@pytest.mark.parametrize(
    "spec, message",
    [
        (make_spec(max_steps=0, action={"type": "continuous", "low": 1, "high": 1}),
         "bad spec: episode.max_steps must be > 0"),
        (make_spec(action={"type": "continuous", "low": 1, "high": 1}),
         "bad spec: continuous action space needs low < high"),
        (make_spec(n=0), "bad spec: discrete action space needs n >= 1"),
        (make_spec([{"kind": "indicator", "name": "NoSuchThing", "params": [3]}]), "unknown indicator: NoSuchThing"),
        (make_spec([{"kind": "indicator", "name": "Sma", "params": [0]}]), "unknown indicator: Sma"),
    ],
)
def test_construction_refusals(spec, message):
    with pytest.raises(ValueError) as e:
        RawEnv(json.dumps(spec))
    assert str(e.value) == message


@pytest.mark.parametrize(
    "text, message",
    [
        ('{"symbol":"s"}', "parse: missing field `dataset_ref` at line 1 column "),
        (json.dumps(make_spec()) + " {}", "parse: trailing characters at line 1 column "),
        (json.dumps({**make_spec(), "seed": -1}), "parse: invalid value: integer `-1`, expected u64"),
        (json.dumps({**make_spec(), "seed": 1.5}), "parse: invalid type: floating point `1.5`, expected u64"),
        (json.dumps({**make_spec(), "episode": {"max_steps": 4294967296}}),
         "parse: invalid value: integer `4294967296`, expected u32"),
        (json.dumps(make_spec([{"kind": "price", "field": "Close"}])),
         "parse: unknown variant `Close`, expected one of `open`, `high`, `low`, `close`, `volume`"),
        (json.dumps(make_spec(action={"type": "box"})),
         "parse: unknown variant `box`, expected `discrete` or `continuous`"),
        (json.dumps(["d", "s", {"features": []}, {"type": "discrete", "n": 3}, "pnl"]),
         "parse: invalid length 5, expected struct EnvSpec with 7 elements"),
        (json.dumps(make_spec([{"kind": "microstructure", "field": "bid_px", "level": -1}])),
         "parse: invalid value: integer `-1`, expected u32"),
        (json.dumps(make_spec())[:-1] + ',"junk":[1,{"a":tru}]}', "parse: "),
    ],
)
def test_spec_reader_messages(text, message):
    with pytest.raises(ValueError) as e:
        RawEnv(text)
    assert str(e.value).startswith(message)
    assert " at line " in str(e.value)


def test_spec_reader_forms():
    base = make_spec([{"name": "Sma", "params": [14.0], "x": {"y": [1, None]}, "kind": "indicator"}])
    base["extra"] = {"nested": True}
    base["seed"] = None
    env = Driver(base)
    as_array = ["test", "TEST", [[["indicator", "Sma", [14]]]], ["discrete", 3], {"pnl": None}, [100], None]
    env2 = RawEnv(json.dumps(as_array))
    assert env("spec") == json.loads(env2.command('{"cmd":"spec"}'))
    assert env("spec")["feature_keys"] == ["Sma(14)"]
    with pytest.raises(TypeError):
        RawEnv(b"{}")
    with pytest.raises(TypeError):
        RawEnv()
    RawEnv(spec_json=json.dumps(make_spec()))


def test_spec_document_exact():
    spec = make_spec([{"kind": "indicator", "name": "Sma", "params": [20]},
                      {"kind": "microstructure", "field": "imbalance", "level": 3}], levels=1, funding=True,
                     action={"type": "continuous", "low": -1, "high": 1})
    d = Driver(spec)
    assert d.raw({"cmd": "spec"}) == (
        '{"observation_dim":8,"observation_low":[' + ",".join(["-1e+30"] * 8) + '],"observation_high":['
        + ",".join(["1e+30"] * 8) + '],"action_space":{"type":"continuous","low":-1.0,"high":1.0},'
        '"feature_keys":["Sma(20)","micro.imbalance","micro.bid_px.0","micro.bid_sz.0","micro.ask_px.0",'
        '"micro.ask_sz.0","micro.funding","micro.oi"]}')
    empty = Driver(make_spec())
    assert empty.raw({"cmd": "spec"}) == (
        '{"observation_dim":0,"observation_low":[],"observation_high":[],'
        '"action_space":{"type":"discrete","n":3},"feature_keys":[]}')


@pytest.mark.parametrize(
    "params, field, key",
    [([20], None, "Sma(20)"), ([20, 2.5], None, "Sma(20,2.5)"), ([20, -0.0], None, "Sma(20,0)"),
     ([20, 999999999999999], None, "Sma(20,999999999999999)"), ([20, 1e15], None, "Sma(20,1000000000000000)"),
     ([20, 2 ** 60], None, "Sma(20,1152921504606847000)"), ([20, 0.0001], None, "Sma(20,0.0001)"),
     ([20, 2], "upper", "Sma(20,2).upper")],
)
def test_feature_keys(params, field, key):
    feature = {"kind": "indicator", "name": "Sma", "params": params}
    if field:
        feature["field"] = field
    assert Driver(make_spec([feature]))("spec")["feature_keys"] == [key]


def test_command_errors_are_documents():
    d = Driver(make_spec())
    assert d.raw({"cmd": "version"}) == '{"version":"0.2.0"}'
    assert d.raw("not json").startswith('{"error":"parse: ')
    assert d.raw({"candles": []}).startswith('{"error":"parse: missing field `cmd`')
    assert d.raw({"cmd": "Reset"}) == '{"error":"bad spec: unknown cmd: Reset","ok":false}'
    assert d.raw({"cmd": "a\"b\nc\u00e9"}) == '{"error":"bad spec: unknown cmd: a\\"b\\nc\u00e9","ok":false}'
    assert d.raw({"cmd": "reset"}) == '{"error":"no data loaded","ok":false}'
    assert d.raw({"cmd": "step"}) == '{"error":"bad action: missing action","ok":false}'
    assert d.raw({"cmd": "step", "action": 1}) == '{"error":"no data loaded","ok":false}'
    assert d.raw({"cmd": "load"}) == '{"error":"no data loaded","ok":false}'
    assert d.raw({"cmd": "reset", "candles": [[1, 2, 3, 4]]}).startswith(
        '{"error":"parse: invalid length 4, expected struct Candle with 12 elements')
    assert d.raw({"cmd": "load", "candles": None}).startswith(
        '{"error":"parse: invalid type: null, expected a sequence')
    assert d.raw({"cmd": "load", "candles": [{"ts": 1.5, "open": 1, "high": 1, "low": 1, "close": 1}]}).startswith(
        '{"error":"parse: invalid type: floating point `1.5`, expected i64')
    assert d.raw({"cmd": "load", "candles": [{"ts": 1, "open": 1, "high": 1, "low": 1}]}).startswith(
        '{"error":"parse: missing field `close`')


def test_load_and_episode_flags():
    d = Driver(make_spec([{"kind": "price", "field": "close"}], n=5, max_steps=100))
    bars = [bar(i, 100.0 + i) for i in range(10)]
    assert d.raw({"cmd": "load", "candles": bars}) == '{"ok":true}'
    assert d("step", action=1) == {"error": "not reset", "ok": False}
    out = d("reset", seed=7)
    assert out == {"observation": [100.0], "info": {"bar": 0.0, "equity": 0.0, "pos": 0.0, "step": 0.0}}
    positions = [-1.0, -0.5, 0.0, 0.5, 1.0]
    for k in range(9):
        out = d("step", action=k % 5)
        assert out["info"]["pos"] == positions[k % 5]
        assert out["reward"] == positions[k % 5]
        assert out["terminated"] == (k == 8)
    assert out["observation"] == [109.0]
    assert d("step", action=0) == {"error": "episode done", "ok": False}
    d("reset")
    assert d("step", action=5) == {"error": "bad action: discrete action 5 not in 0..5", "ok": False}
    assert d("step", action=2.5) == {"error": "bad action: discrete action 2.5 not in 0..5", "ok": False}
    assert d("step", action=-1)["error"] == "bad action: discrete action -1 not in 0..5"
    # A failed load leaves data and episode untouched.
    assert d("load", candles=[])["error"] == "no data loaded"
    assert d("step", action=4)["info"]["bar"] == 1.0


def test_truncation_and_warmup_rules():
    d = Driver(make_spec([{"kind": "price", "field": "close"}], max_steps=3, warmup=9))
    d("load", candles=[bar(i, 100.0 + i) for i in range(10)])
    assert d("reset")["observation"] == [109.0]
    assert d("step", action=1) == {"error": "episode done", "ok": False}
    d2 = Driver(make_spec([{"kind": "price", "field": "close"}], max_steps=3, warmup=10))
    d2("load", candles=[bar(i, 100.0 + i) for i in range(10)])
    assert d2("reset") == {"error": "data: warmup exceeds the loaded dataset", "ok": False}
    d3 = Driver(make_spec([{"kind": "price", "field": "close"}], max_steps=3))
    d3("load", candles=[bar(i, 100.0 + i) for i in range(4)])
    d3("reset")
    flags = [(s["terminated"], s["truncated"]) for s in (d3("step", action=1) for _ in range(3))]
    assert flags == [(False, False), (False, False), (True, True)]


def test_rewards():
    closes = [100.0, 101.0, 104.0, 110.0]
    sharpe = Driver(make_spec(reward="sharpe", action={"type": "continuous", "low": -1, "high": 1}))
    sharpe("load", candles=[bar(i, c) for i, c in enumerate(closes)])
    sharpe("reset")
    assert sharpe("step", action=3)["reward"] == 0.0  # clipped to 1; one value has no variance
    out = sharpe("step", action=1)
    assert out["reward"] == 2.0 and out["info"]["sharpe"] == 2.0 and out["info"]["equity"] == 2.0
    logr = Driver(make_spec(reward="log_return", action={"type": "continuous", "low": -1, "high": 1}))
    logr("load", candles=[bar(0, 100.0), bar(1, 110.0)])
    logr("reset")
    assert logr("step", action=1)["reward"] == round(math.log(1.1), 8)
    pnl = Driver(make_spec(n=1))
    pnl("load", candles=[bar(0, 100.0), bar(1, 110.0)])
    pnl("reset")
    assert pnl.raw({"cmd": "step", "action": 0}).startswith('{"observation":[],"reward":0.0,')



# A trend of equal steps under a constant position pays the same pnl every step: a list without
# variance, whose Sharpe ratio is 0 on every step, though 0.1 summed three times is
# 0.30000000000000004 and the two-pass deviations from that mean are not exactly 0.
@pytest.mark.parametrize("action, step", [(0.1, 1.0), (-0.7, 0.5), (1 / 3, 0.25)])
def test_sharpe_of_a_constant_pnl_is_zero(action, step):
    d = Driver(make_spec(reward="sharpe", max_steps=200, action={"type": "continuous", "low": -1, "high": 1}))
    d("load", candles=[bar(i, 100.0 + i * step) for i in range(120)])
    d("reset")
    outs = [d("step", action=action) for _ in range(100)]
    assert [o["reward"] for o in outs] == [0.0] * 100
    assert [o["info"]["sharpe"] for o in outs] == [0.0] * 100
    assert outs[-1]["info"]["equity"] == 0.0
    # One different pnl brings the ordinary ratio back.
    out = d("step", action=-action)
    assert out["reward"] != 0.0 and out["info"]["sharpe"] == out["reward"]

def test_indicator_columns_and_warmup_check():
    sma = {"kind": "indicator", "name": "Sma", "params": [3]}
    bars = [bar(i, float(c)) for i, c in enumerate([1, 2, 3, 4, 5.123456789])]
    short = Driver(make_spec([sma], warmup=2))
    assert short("load", candles=bars)["error"] == (
        "bad spec: episode.warmup is 2 but the observation needs 3: below that an indicator column is 0.0 because "
        "nothing has been produced yet, which an agent cannot tell from a market reading of zero")
    d = Driver(make_spec([sma, {"kind": "price", "field": "close"}, {**sma, "field": "upper"}], warmup=3))
    assert d("load", candles=bars) == {"ok": True}
    out = d("reset")
    assert out["observation"] == [3.0, 4.0, 0.0]  # a field of a single-output indicator reads 0.0
    assert d("step", action=1)["observation"] == [4.04115226, 5.12345679, 0.0]


def test_book_and_funding_columns():
    feats = [{"kind": "microstructure", "field": f} for f in ("spread", "imbalance", "funding", "oi")]
    feats.append({"kind": "microstructure", "field": "bid_px", "level": 1})
    d = Driver(make_spec(feats, levels=2, funding=True))
    bars = [bar(0, 100.0, bid_px=[100, 101], ask_px=[102], bid_sz=[5], ask_sz=[5], oi=7.5),
            bar(1, 100.0, bid_px=[99], ask_px=[99], bid_sz=[1], ask_sz=[3], funding=0.0001)]
    d("load", candles=bars)
    assert d("reset")["observation"] == [2.0, 0.0, 0.0, 7.5, 101.0, 100, 5, 102, 5, 101, 0, 0, 0, 0.0, 7.5]
    assert d("step", action=1)["observation"] == [0.0, -0.5, 0.0001, 0.0, 0.0, 99, 1, 99, 3, 0, 0, 0, 0, 0.0001, 0.0]


@pytest.mark.parametrize(
    "name, feed, reason, bars",
    [("FundingRate", "funding/open-interest", "no bar in this dataset carries funding or open interest",
      [bar(0, 1.0, funding=0.1), bar(1, 1.0)]),
     ("Microprice", "orderbook", "no bar in this dataset carries order-book levels",
      [bar(0, 1.0, bid_px=[1], ask_px=[2]), bar(1, 1.0, bid_px=[1])])],
)
def test_feed_errors(name, feed, reason, bars):
    d = Driver(make_spec([{"kind": "indicator", "name": "Sma", "params": [1]},
                          {"kind": "indicator", "name": name}]))
    assert d("load", candles=bars)["error"] == f"{name} needs the {feed} feed: {reason}"


def test_unsendable_to_other_thread():
    code = (
        "import json, threading\n"
        "from torvex_gym import RawEnv\n"
        "spec = {'dataset_ref':'d','symbol':'s','observation':{'features':[]},"
        "'action_space':{'type':'discrete','n':1},'reward':'pnl','episode':{'max_steps':1}}\n"
        "env = RawEnv(json.dumps(spec))\n"
        "out = []\n"
        "def run():\n"
        "    try:\n"
        "        env.command('{\"cmd\":\"version\"}')\n"
        "    except RuntimeError as e:\n"
        "        out.append(str(e))\n"
        "t = threading.Thread(target=run); t.start(); t.join()\n"
        "print(out[0])\n"
        "print(env.command('{\"cmd\":\"version\"}'))\n"
    )
    res = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert res.stdout.splitlines() == ["_torvex_gym::RawEnv is unsendable, but sent to another thread",
                                       '{"version":"0.2.0"}']


def test_book_and_funding_indicator_columns():
    feats = [{"kind": "indicator", "name": "Microprice"}, {"kind": "indicator", "name": "QuotedSpread"},
             {"kind": "indicator", "name": "FundingRate"},
             {"kind": "indicator", "name": "LiquidationFeatures", "field": "imbalance"},
             {"kind": "indicator", "name": "BollingerBands", "params": [2, 2], "field": "middle"},
             {"kind": "indicator", "name": "BollingerBands", "params": [2, 2]}]
    d = Driver(make_spec(feats, warmup=2))
    bars = [bar(0, 100.0, bid_px=[100], bid_sz=[1], ask_px=[102], ask_sz=[3], funding=0.0002),
            bar(1, 104.0, bid_px=[99], bid_sz=[0], ask_px=[101], ask_sz=[0], oi=9.0),
            # rising bids: no book for the indicators, yet the bar still loads
            bar(2, 102.0, bid_px=[99, 100], bid_sz=[1, 1], ask_px=[101], ask_sz=[1], funding=-0.0001)]
    assert d("load", candles=bars) == {"ok": True}
    # bar 2: no book (0.0), funding -0.0001, bands over closes 104 and 102 (middle 103, sd 1)
    assert d("reset")["observation"] == [0.0, 0.0, -0.0001, 0.0, 103.0, 105.0]
    probe = Driver(make_spec(feats[:3], warmup=1))
    probe("load", candles=bars)
    # bar 1: sizes 0 give the plain mid; a bar with oi only gives funding 0.0
    assert probe("reset")["observation"] == [100.0, 200.0, 0.0]
    assert probe("step", action=1)["observation"] == [0.0, 0.0, -0.0001]


def test_output_field_checks():
    misspelt = {"kind": "indicator", "name": "BollingerBands", "params": [20, 2], "field": "upperx"}
    d = Driver(make_spec([misspelt], warmup=20))
    many = [bar(i, 100.0 + (i % 3)) for i in range(25)]
    assert d("load", candles=many)["error"] == (
        "bad spec: indicator 'BollingerBands(20,2).upperx' has no output field 'upperx'")
    # Over fewer bars the indicator never publishes, so nothing refuses the field.
    assert d("load", candles=many[:19]) == {"ok": True}
    assert d("reset") == {"error": "data: warmup exceeds the loaded dataset", "ok": False}


def test_warmup_refusal_keeps_the_order_of_refusals():
    cone = {"kind": "indicator", "name": "VolatilityCone", "params": [100000, 100]}
    short = ("bad spec: episode.warmup is 1 but the observation needs 100100: below that an indicator column is 0.0 "
             "because nothing has been produced yet, which an agent cannot tell from a market reading of zero")
    bars = [bar(i, 100.0 + (i % 7)) for i in range(300)]
    d = Driver(make_spec([cone, {"kind": "price", "field": "close"}], warmup=1))
    assert d("load", candles=bars)["error"] == short
    assert d("reset")["error"] == "no data loaded"  # nothing was stored
    # A feed the bars lack is refused before the warm-up.
    funded = Driver(make_spec([cone, {"kind": "indicator", "name": "FundingRate"}], warmup=1))
    assert funded("load", candles=bars)["error"].startswith("FundingRate needs the funding/open-interest feed")
    # A missing output field is refused before it where the indicator publishes a list;
    # over too few bars for that the warm-up is what refuses.
    misspelt = {"kind": "indicator", "name": "BollingerBands", "params": [20, 2], "field": "upperx"}
    both = Driver(make_spec([cone, misspelt], warmup=1))
    assert both("load", candles=bars)["error"] == (
        "bad spec: indicator 'BollingerBands(20,2).upperx' has no output field 'upperx'")
    assert both("load", candles=bars[:19])["error"] == short
    assert both("reset")["error"] == "no data loaded"
    # A field the indicator publishes refuses nothing: the warm-up does.
    upper = Driver(make_spec([{**misspelt, "field": "upper"}, cone], warmup=1))
    assert upper("load", candles=bars)["error"] == short


def test_failed_load_keeps_data_and_episode():
    d = Driver(make_spec([{"kind": "indicator", "name": "FundingRate"}], warmup=1))
    funded = [bar(i, 100.0 + i, funding=0.0001 * i) for i in range(6)]
    assert d("load", candles=funded) == {"ok": True}
    d("reset")
    assert d("step", action=2)["info"]["bar"] == 2.0
    unfunded = [bar(i, 50.0) for i in range(6)]
    assert d("load", candles=unfunded)["error"].startswith("FundingRate needs the funding/open-interest feed")
    assert d("load", candles=[])["error"] == "no data loaded"
    out = d("step", action=2)  # the episode goes on over the earlier data
    assert out["info"]["bar"] == 3.0 and out["observation"] == [0.0003] and out["reward"] == 1.0
