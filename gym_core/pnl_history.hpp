// The pnl values of an episode under the sharpe reward, and the Sharpe ratio of the
// list as it stands: mean over population deviation, 0 without variance.
#pragma once

#include <cmath>
#include <vector>

namespace torvex::gym {

class PnlHistory {
public:
    void clear() {
        values_.clear();
        sum_ = 0.0;
        equal_ = true;
        sharpe_ = 0.0;
    }

    // Appends one pnl value and works out the ratio of the longer list. The sum of the
    // list in its order is the running one; the squared deviations from the new mean
    // are summed again over the whole list.
    void append(double pnl) {
        const bool equal = equal_ && (values_.empty() || pnl == values_.front());
        values_.push_back(pnl);  // may throw: nothing has changed yet
        equal_ = equal;
        sum_ += pnl;
        sharpe_ = ratio();
    }

    // The ratio of the list, kept since the last append.
    double sharpe() const { return sharpe_; }

private:
    double ratio() const {
        // Equal values have no variance, though sum / n may miss their value by a
        // rounding (0.1 three times sums to 0.30000000000000004) and leave squared
        // deviations of 1e-34, a ratio of 7e15.
        if (equal_) return 0.0;
        const double n = static_cast<double>(values_.size());
        const double mean = sum_ / n;
        double sq = 0.0;
        for (double x : values_) sq += (x - mean) * (x - mean);
        const double var = sq / n;
        return var > 0.0 ? mean / std::sqrt(var) : 0.0;
    }

    std::vector<double> values_;
    double sum_ = 0.0;
    bool equal_ = true;
    double sharpe_ = 0.0;
};

}  // namespace torvex::gym
