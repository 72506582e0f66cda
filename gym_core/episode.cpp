// The episode: reset, step, positions from actions, rewards and the info record. No
// indicator runs here: every observation was computed by the load.
#include <algorithm>
#include <cmath>

#include "gym_core/env.hpp"
#include "gym_core/json_writer.hpp"
#include "gym_core/number_text.hpp"

namespace torvex::gym {

void Env::write_info(JsonWriter& w) const {
    w.key("info").begin_object();
    w.key("bar").number(report_round(static_cast<double>(cursor_)));
    w.key("equity").number(report_round(equity_));
    w.key("pos").number(report_round(position_));
    if (spec_.reward == RewardKind::Sharpe) w.key("sharpe").number(report_round(pnl_history_.sharpe()));
    w.key("step").number(report_round(static_cast<double>(steps_)));
    w.end_object();
}

std::expected<std::string, EnvError> Env::reset(std::optional<std::uint64_t> /*seed*/) {
    if (!data_) return std::unexpected(EnvError::no_data());
    clear_episode();
    if (data_->rows <= spec_.episode.warmup) return std::unexpected(EnvError::data("warmup exceeds the loaded dataset"));
    cursor_ = spec_.episode.warmup;
    started_ = true;
    JsonWriter w;
    w.begin_object().key("observation").begin_array();
    const double* row = data_->obs.data() + cursor_ * data_->dim;
    for (std::uint64_t i = 0; i < data_->dim; ++i) w.number(row[i]);
    w.end_array();
    write_info(w);
    w.end_object();
    return w.take();
}

std::expected<std::string, EnvError> Env::step(std::optional<double> action) {
    if (!action) return std::unexpected(EnvError::bad_action("missing action"));
    if (!data_) return std::unexpected(EnvError::no_data());
    if (!started_) return std::unexpected(EnvError::not_reset());
    const std::uint64_t t = cursor_;
    if (t + 1 >= data_->rows || steps_ >= spec_.episode.max_steps) return std::unexpected(EnvError::episode_done());

    const double a = *action;
    double position = 0.0;
    const ActionSpace& space = spec_.action_space;
    if (space.kind == ActionSpace::Kind::Discrete) {
        const bool integral = a - std::trunc(a) == 0.0;
        if (!(a >= 0.0) || !integral || a >= static_cast<double>(space.n))
            return std::unexpected(EnvError::bad_action("discrete action " + shortest_plain(a) + " not in 0.." +
                                                        std::to_string(space.n)));
        position = space.n >= 2 ? (a + a) / static_cast<double>(space.n - 1) - 1.0 : 0.0;
    } else {
        position = std::min(space.high, std::max(space.low, a));
    }

    const double c0 = data_->closes[t], c1 = data_->closes[t + 1];
    position_ = position;
    double reward = 0.0;
    switch (spec_.reward) {
        case RewardKind::Pnl: reward = position * (c1 - c0); break;
        case RewardKind::LogReturn: reward = position * std::log(c1 / c0); break;
        case RewardKind::Sharpe: {
            const double before = pnl_history_.sharpe();
            pnl_history_.append(position * (c1 - c0));
            reward = pnl_history_.sharpe() - before;
            break;
        }
    }
    equity_ = equity_ + reward;
    cursor_ = t + 1;
    steps_ += 1;

    JsonWriter w;
    w.begin_object().key("observation").begin_array();
    const double* row = data_->obs.data() + cursor_ * data_->dim;
    for (std::uint64_t i = 0; i < data_->dim; ++i) w.number(row[i]);
    w.end_array();
    w.key("reward").number(report_round(reward));
    w.key("terminated").boolean(t + 2 >= data_->rows);
    w.key("truncated").boolean(steps_ >= spec_.episode.max_steps);
    write_info(w);
    w.end_object();
    return w.take();
}

}  // namespace torvex::gym
