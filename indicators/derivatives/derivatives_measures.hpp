// Funding, premium, basis and ratio measures of one derivatives snapshot.
#pragma once

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

namespace tick_formula {
double funding_rate(const DerivativesTick& t);
// (mark - index) / index. The price ratios divide unguarded: a zero base price gives
// an infinite or NaN value, which is what the caller sees.
double premium(const DerivativesTick& t);
// (futures - index) / index.
double term_basis(const DerivativesTick& t);
// (futures - mark) / mark.
double calendar_spread(const DerivativesTick& t);
// long / short, 0.0 for a short side of exactly zero.
double long_short(const DerivativesTick& t);
// taker buy / taker sell, 0.0 for a sell volume of exactly zero.
double taker_buy_sell(const DerivativesTick& t);
// open interest over the taker volume, 0.0 unless that volume is above zero.
double oi_to_volume(const DerivativesTick& t);
}  // namespace tick_formula

using FundingRate = StatelessFeedIndicator<TickFeed, &tick_formula::funding_rate>;
using PerpetualPremiumIndex = StatelessFeedIndicator<TickFeed, &tick_formula::premium>;
// The funding basis is the premium of the mark over the index under another name.
using FundingBasis = PerpetualPremiumIndex;
using TermStructureBasis = StatelessFeedIndicator<TickFeed, &tick_formula::term_basis>;
using CalendarSpread = StatelessFeedIndicator<TickFeed, &tick_formula::calendar_spread>;
using LongShortRatio = StatelessFeedIndicator<TickFeed, &tick_formula::long_short>;
using TakerBuySellRatio = StatelessFeedIndicator<TickFeed, &tick_formula::taker_buy_sell>;
using OiToVolumeRatio = StatelessFeedIndicator<TickFeed, &tick_formula::oi_to_volume>;

}  // namespace torvex
