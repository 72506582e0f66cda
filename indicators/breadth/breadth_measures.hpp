// Breadth measures of the current panel alone: no parameter, no memory, a value on
// every bar that carries a cross-section.
#pragma once

#include "indicators/breadth/breadth_feed.hpp"

namespace torvex {

double advance_decline_ratio(const CrossSection& panel);   // adv / max(dec, 1)
double absolute_breadth_index(const CrossSection& panel);  // |adv − dec|
double tick_index(const CrossSection& panel);              // adv − dec
double new_highs_new_lows(const CrossSection& panel);      // new highs − new lows
double percent_above_ma(const CrossSection& panel);        // share above their average, in %
double bullish_percent_index(const CrossSection& panel);   // share on a bullish signal, in %
double up_down_volume_ratio(const CrossSection& panel);    // up volume / max(down volume, 1)
double trin(const CrossSection& panel);                    // Arms index

using AdvanceDeclineRatio = StatelessFeedIndicator<CrossSectionFeed, &advance_decline_ratio>;
using AbsoluteBreadthIndex = StatelessFeedIndicator<CrossSectionFeed, &absolute_breadth_index>;
using TickIndex = StatelessFeedIndicator<CrossSectionFeed, &tick_index>;
using NewHighsNewLows = StatelessFeedIndicator<CrossSectionFeed, &new_highs_new_lows>;
using PercentAboveMa = StatelessFeedIndicator<CrossSectionFeed, &percent_above_ma>;
using BullishPercentIndex = StatelessFeedIndicator<CrossSectionFeed, &bullish_percent_index>;
using UpDownVolumeRatio = StatelessFeedIndicator<CrossSectionFeed, &up_down_volume_ratio>;
using Trin = StatelessFeedIndicator<CrossSectionFeed, &trin>;

}  // namespace torvex
