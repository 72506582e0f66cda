#include "indicators/indicator.hpp"

namespace torvex {

bool wide_loops_available() {
#if TORVEX_WIDE_LOOPS
    static const bool available = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return available;
#else
    return false;
#endif
}

void DynIndicator::run_column(const BarColumns& bars, ColumnRun& run) {
    const std::span<const Ohlcv> candles = bars.candles();
    const bool extras = bars.has_extras();
    OrderBook scratch;
    for (std::size_t r = 0; r < candles.size(); ++r) {
        BarContext ctx(candles[r]);
        if (extras) bars.fill(r, ctx, scratch);
        const std::optional<double> v = update(ctx);
        if (!run.field) {
            run.out[r] = v.value_or(0.0);
            continue;
        }
        run.out[r] = 0.0;
        const std::vector<NamedOutput> list = outputs();
        if (list.empty()) continue;
        run.produced = true;
        for (const NamedOutput& o : list) {
            if (o.name == *run.field) {
                run.field_found = true;
                run.out[r] = o.value;
                break;
            }
        }
    }
}

}  // namespace torvex
