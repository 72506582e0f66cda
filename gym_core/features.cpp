// The features of an observation: their column keys, the data feed each indicator
// needs and whether a bar list offers it, and the indicator objects that compute the
// columns.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "gym_core/env.hpp"
#include "gym_core/number_text.hpp"
#include "registry/registry.hpp"

namespace torvex::gym {

std::string format_key_param(double p) {
    if (std::isfinite(p) && p == std::trunc(p) && std::fabs(p) < 1e15)
        return std::to_string(static_cast<std::int64_t>(p));
    return shortest_plain(p);
}

std::string feature_key(const Feature& f) {
    switch (f.kind) {
        case Feature::Kind::Indicator: {
            std::string key = f.name + "(";
            for (std::size_t i = 0; i < f.params.size(); ++i) {
                if (i > 0) key += ',';
                key += format_key_param(f.params[i]);
            }
            key += ')';
            if (f.field) key += "." + *f.field;
            return key;
        }
        case Feature::Kind::Price: {
            std::string key = "price.";
            key += kPriceFieldNames[static_cast<int>(f.price)];
            return key;
        }
        case Feature::Kind::Microstructure: {
            const int m = static_cast<int>(f.micro);
            std::string key = "micro.";
            key += kMicroFieldNames[m];
            if (m <= static_cast<int>(MicroField::AskSz)) {
                key += '.';
                key += std::to_string(f.level.value_or(0));
            }
            return key;
        }
    }
    return {};
}

namespace {

constexpr std::string_view kTwoSeriesNames[] = {
    "Alpha",          "Beta",          "BetaNeutralSpread",   "Cointegration",       "DistanceSsd",
    "GrangerCausality", "HasbrouckInformationShare", "InformationRatio", "KalmanHedgeRatio", "KendallTau",
    "LeadLagCrossCorrelation", "OuHalfLife", "PairSpreadZScore", "PairwiseBeta", "PearsonCorrelation",
    "RelativeStrengthAB", "RollingCorrelation", "RollingCovariance", "SpearmanCorrelation",
    "SpreadAr1Coefficient", "SpreadBollingerBands", "SpreadHurst", "TreynorRatio", "VarianceRatio",
};

struct FeedText {
    std::string_view feed;
    std::string_view reason;
};

FeedText feed_text(FeedClass c) {
    switch (c) {
        case FeedClass::Reference:
            return {"reference", "an environment steps one symbol, so there is no second series to read"};
        case FeedClass::Funding:
            return {"funding/open-interest", "no bar in this dataset carries funding or open interest"};
        case FeedClass::OrderBook: return {"orderbook", "no bar in this dataset carries order-book levels"};
        case FeedClass::Trades: return {"trades", "a bar carries aggregate volume, not the individual prints"};
        case FeedClass::TradesAndOrderBook:
            return {"trades and orderbook", "a bar carries aggregate volume, not the individual prints"};
        case FeedClass::CrossSection:
            return {"cross-section", "an environment steps one symbol, so there is no market panel"};
        case FeedClass::Bar: break;
    }
    return {};
}

}  // namespace

std::optional<FeedClass> feed_of(std::string_view name) {
    switch (indicator_feed(name)) {
        case kFeedCandles:
            if (std::ranges::find(kTwoSeriesNames, name) != std::end(kTwoSeriesNames)) return FeedClass::Reference;
            return FeedClass::Bar;
        case kFeedTrades: return FeedClass::Trades;
        case kFeedOrderBook: return FeedClass::OrderBook;
        case kFeedTradesAndBook: return FeedClass::TradesAndOrderBook;
        case kFeedFunding: return FeedClass::Funding;
        case kFeedCrossSection: return FeedClass::CrossSection;
        default: return std::nullopt;
    }
}

std::expected<std::vector<IndicatorColumn>, EnvError> build_indicators(const std::vector<Feature>& features) {
    std::vector<IndicatorColumn> columns;
    for (const Feature& f : features) {
        if (f.kind != Feature::Kind::Indicator) continue;
        auto built = build_indicator(f.name, f.params);
        if (!built) return std::unexpected(EnvError::unknown_indicator(f.name));
        columns.push_back({feature_key(f), f.name, f.field, std::move(*built), false, false});
    }
    return columns;
}

std::expected<void, EnvError> check_feeds(const std::vector<Feature>& features, const BarList& bars) {
    bool book_available = true, funding_available = true;
    for (std::size_t i = 0; i < bars.size() && (book_available || funding_available); ++i) {
        book_available = book_available && !bars.list(i, BarList::BidPx).empty() && !bars.list(i, BarList::AskPx).empty();
        funding_available = funding_available && (bars.funding(i) || bars.oi(i));
    }
    for (const Feature& f : features) {
        if (f.kind != Feature::Kind::Indicator) continue;
        const auto cls = feed_of(f.name);
        if (!cls) continue;  // the build reports unknown names
        bool ok = false;
        switch (*cls) {
            case FeedClass::Bar: ok = true; break;
            case FeedClass::Funding: ok = funding_available; break;
            case FeedClass::OrderBook: ok = book_available; break;
            default: ok = false;
        }
        if (!ok) {
            const FeedText t = feed_text(*cls);
            return std::unexpected(EnvError::needs_feed(f.name, t.feed, t.reason));
        }
    }
    return {};
}

}  // namespace torvex::gym
