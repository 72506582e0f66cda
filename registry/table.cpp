// The registry table: one row per indicator name, sorted by name for lookup.
#include <algorithm>

#include "registry/registry.hpp"

#include "indicators/candlesticks/abandoned_baby.hpp"
#include "indicators/momentum/adaptive_rsi.hpp"
#include "indicators/candlesticks/advance_block.hpp"
#include "indicators/averages/alma.hpp"
#include "indicators/momentum/anchored_rsi.hpp"
#include "indicators/momentum/apo.hpp"
#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/bands/atr_bands.hpp"
#include "indicators/trend/atr_ratchet.hpp"
#include "indicators/trend/chande_kroll_stop.hpp"
#include "indicators/trend/chandelier_exit.hpp"
#include "indicators/trend/donchian_stop.hpp"
#include "indicators/trend/elder_safe_zone.hpp"
#include "indicators/trend/kase_dev_stop.hpp"
#include "indicators/bands/keltner.hpp"
#include "indicators/trend/modified_ma_stop.hpp"
#include "indicators/trend/nrtr.hpp"
#include "indicators/bands/starc_bands.hpp"
#include "indicators/trend/super_trend.hpp"
#include "indicators/momentum/ttm_squeeze.hpp"
#include "indicators/trend/zig_zag.hpp"
#include "indicators/bands/bollinger_bandwidth.hpp"
#include "indicators/candlesticks/belt_hold.hpp"
#include "indicators/candlesticks/breakaway.hpp"
#include "indicators/risk/average_drawdown.hpp"
#include "indicators/risk/burke_ratio.hpp"
#include "indicators/risk/calmar_ratio.hpp"
#include "indicators/momentum/cfo.hpp"
#include "indicators/candlesticks/closing_marubozu.hpp"
#include "indicators/momentum/cmo.hpp"
#include "indicators/profiles/composite_profile.hpp"
#include "indicators/candlesticks/concealing_baby_swallow.hpp"
#include "indicators/risk/common_sense_ratio.hpp"
#include "indicators/risk/conditional_value_at_risk.hpp"
#include "indicators/momentum/connors_rsi.hpp"
#include "indicators/momentum/coppock.hpp"
#include "indicators/candlesticks/counterattack.hpp"
#include "indicators/averages/dema.hpp"
#include "indicators/momentum/derivative_oscillator.hpp"
#include "indicators/derivatives/derivatives_measures.hpp"
#include "indicators/momentum/disparity_index.hpp"
#include "indicators/candlesticks/doji.hpp"
#include "indicators/candlesticks/doji_star.hpp"
#include "indicators/bands/double_bollinger.hpp"
#include "indicators/candlesticks/downside_gap_three_methods.hpp"
#include "indicators/momentum/dpo.hpp"
#include "indicators/candlesticks/dragonfly_doji.hpp"
#include "indicators/patterns/dumpling_top.hpp"
#include "indicators/momentum/dynamic_momentum_index.hpp"
#include "indicators/averages/ehma.hpp"
#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/averages/ema.hpp"
#include "indicators/candlesticks/engulfing.hpp"
#include "indicators/derivatives/estimated_leverage_ratio.hpp"
#include "indicators/candlesticks/evening_doji_star.hpp"
#include "indicators/candlesticks/falling_three_methods.hpp"
#include "indicators/risk/expectancy.hpp"
#include "indicators/averages/fama.hpp"
#include "indicators/momentum/fisher_rsi.hpp"
#include "indicators/averages/frama.hpp"
#include "indicators/patterns/fry_pan_bottom.hpp"
#include "indicators/derivatives/funding_implied_apr.hpp"
#include "indicators/derivatives/funding_rate_mean.hpp"
#include "indicators/derivatives/funding_rate_z_score.hpp"
#include "indicators/candlesticks/gap_side_by_side_white.hpp"
#include "indicators/risk/gain_loss_ratio.hpp"
#include "indicators/risk/gain_to_pain_ratio.hpp"
#include "indicators/averages/generalized_dema.hpp"
#include "indicators/averages/geometric_ma.hpp"
#include "indicators/candlesticks/gravestone_doji.hpp"
#include "indicators/candlesticks/hammer.hpp"
#include "indicators/candlesticks/hanging_man.hpp"
#include "indicators/candlesticks/harami.hpp"
#include "indicators/candlesticks/harami_cross.hpp"
#include "indicators/profiles/high_low_volume_nodes.hpp"
#include "indicators/candlesticks/high_wave.hpp"
#include "indicators/candlesticks/hikkake.hpp"
#include "indicators/candlesticks/hikkake_modified.hpp"
#include "indicators/averages/hma.hpp"
#include "indicators/averages/holt_winters.hpp"
#include "indicators/candlesticks/homing_pigeon.hpp"
#include "indicators/candlesticks/identical_three_crows.hpp"
#include "indicators/candlesticks/in_neck.hpp"
#include "indicators/profiles/initial_balance.hpp"
#include "indicators/candlesticks/inverted_hammer.hpp"
#include "indicators/averages/jma.hpp"
#include "indicators/risk/k_ratio.hpp"
#include "indicators/averages/kama.hpp"
#include "indicators/candlesticks/kicking.hpp"
#include "indicators/candlesticks/kicking_by_length.hpp"
#include "indicators/candlesticks/ladder_bottom.hpp"
#include "indicators/candlesticks/long_legged_doji.hpp"
#include "indicators/candlesticks/long_line.hpp"
#include "indicators/candlesticks/marubozu.hpp"
#include "indicators/candlesticks/mat_hold.hpp"
#include "indicators/candlesticks/matching_low.hpp"
#include "indicators/derivatives/liquidation_features.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/risk/kelly_criterion.hpp"
#include "indicators/risk/m2_measure.hpp"
#include "indicators/risk/martin_ratio.hpp"
#include "indicators/risk/max_drawdown.hpp"
#include "indicators/averages/mc_ginley_dynamic.hpp"
#include "indicators/averages/median_ma.hpp"
#include "indicators/averages/mid_point.hpp"
#include "indicators/candlesticks/morning_doji_star.hpp"
#include "indicators/candlesticks/morning_evening_star.hpp"
#include "indicators/profiles/naked_poc.hpp"
#include "indicators/patterns/new_price_lines.hpp"
#include "indicators/derivatives/oi_price_divergence.hpp"
#include "indicators/derivatives/oi_weighted.hpp"
#include "indicators/candlesticks/on_neck.hpp"
#include "indicators/risk/omega_ratio.hpp"
#include "indicators/derivatives/open_interest_delta.hpp"
#include "indicators/derivatives/open_interest_momentum.hpp"
#include "indicators/candlesticks/opening_marubozu.hpp"
#include "indicators/profiles/opening_range.hpp"
#include "indicators/orderbook/order_book_imbalance_top_n.hpp"
#include "indicators/orderbook/order_book_measures.hpp"
#include "indicators/orderbook/order_flow_imbalance.hpp"
#include "indicators/profiles/overnight_intraday_return.hpp"
#include "indicators/risk/pain_index.hpp"
#include "indicators/bands/percent_b.hpp"
#include "indicators/candlesticks/piercing_dark_cloud.hpp"
#include "indicators/patterns/pivot_reversal.hpp"
#include "indicators/risk/percentage_trailing_stop.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/trend/polarized_fractal_efficiency.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/candlesticks/rickshaw_man.hpp"
#include "indicators/candlesticks/rising_three_methods.hpp"
#include "indicators/candlesticks/separating_lines.hpp"
#include "indicators/profiles/session_high_low.hpp"
#include "indicators/profiles/session_range.hpp"
#include "indicators/candlesticks/shooting_star.hpp"
#include "indicators/candlesticks/short_line.hpp"
#include "indicators/momentum/rate_of_change.hpp"
#include "indicators/momentum/rmi.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/rsx.hpp"
#include "indicators/profiles/profile_shape.hpp"
#include "indicators/risk/profit_factor.hpp"
#include "indicators/risk/recovery_factor.hpp"
#include "indicators/risk/regime_label.hpp"
#include "indicators/risk/renko_trailing_stop.hpp"
#include "indicators/risk/sharpe_ratio.hpp"
#include "indicators/averages/sine_weighted_ma.hpp"
#include "indicators/profiles/single_prints.hpp"
#include "indicators/averages/sma.hpp"
#include "indicators/averages/smma.hpp"
#include "indicators/averages/t3.hpp"
#include "indicators/candlesticks/spinning_top.hpp"
#include "indicators/candlesticks/stalled_pattern.hpp"
#include "indicators/candlesticks/stick_sandwich.hpp"
#include "indicators/candlesticks/takuri.hpp"
#include "indicators/candlesticks/tasuki_gap.hpp"
#include "indicators/demark/td_camouflage.hpp"
#include "indicators/demark/td_clop.hpp"
#include "indicators/demark/td_clopwin.hpp"
#include "indicators/demark/td_combo.hpp"
#include "indicators/demark/td_countdown.hpp"
#include "indicators/demark/td_d_wave.hpp"
#include "indicators/demark/td_de_marker.hpp"
#include "indicators/demark/td_differential.hpp"
#include "indicators/demark/td_lines.hpp"
#include "indicators/demark/td_moving_average.hpp"
#include "indicators/demark/td_open.hpp"
#include "indicators/demark/td_pressure.hpp"
#include "indicators/demark/td_propulsion.hpp"
#include "indicators/demark/td_range_projection.hpp"
#include "indicators/demark/td_rei.hpp"
#include "indicators/demark/td_risk_level.hpp"
#include "indicators/demark/td_sequential.hpp"
#include "indicators/demark/td_setup.hpp"
#include "indicators/demark/td_trap.hpp"
#include "indicators/momentum/stc.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "indicators/risk/sortino_ratio.hpp"
#include "indicators/risk/step_trailing_stop.hpp"
#include "indicators/risk/sterling_ratio.hpp"
#include "indicators/risk/tail_ratio.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/averages/tema.hpp"
#include "indicators/candlesticks/three_inside.hpp"
#include "indicators/patterns/three_line_break.hpp"
#include "indicators/candlesticks/three_line_strike.hpp"
#include "indicators/candlesticks/three_outside.hpp"
#include "indicators/candlesticks/three_soldiers_or_crows.hpp"
#include "indicators/candlesticks/three_stars_in_south.hpp"
#include "indicators/candlesticks/thrusting.hpp"
#include "indicators/momentum/tii.hpp"
#include "indicators/candlesticks/tower_top_bottom.hpp"
#include "indicators/profiles/tpo_profile.hpp"
#include "indicators/risk/trend_label.hpp"
#include "indicators/trend/trend_strength_index.hpp"
#include "indicators/averages/trima.hpp"
#include "indicators/candlesticks/tristar.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/momentum/tsf_oscillator.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/candlesticks/tweezer.hpp"
#include "indicators/candlesticks/two_crows.hpp"
#include "indicators/candlesticks/unique_three_river.hpp"
#include "indicators/candlesticks/upside_gap_three_methods.hpp"
#include "indicators/candlesticks/upside_gap_two_crows.hpp"
#include "indicators/risk/ulcer_index.hpp"
#include "indicators/risk/upside_potential_ratio.hpp"
#include "indicators/profiles/value_area.hpp"
#include "indicators/risk/value_at_risk.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/trend/vertical_horizontal_filter.hpp"
#include "indicators/averages/vidya.hpp"
#include "indicators/profiles/volatility_cone.hpp"
#include "indicators/profiles/volume_profile.hpp"
#include "indicators/profiles/volume_weighted_sr.hpp"
#include "indicators/bands/vwap_std_dev_bands.hpp"
#include "indicators/risk/win_rate.hpp"
#include "indicators/averages/wma.hpp"
#include "indicators/statistics/z_score.hpp"
#include "indicators/averages/zlema.hpp"
#include "indicators/averages/adaptive_laguerre_filter.hpp"
#include "indicators/averages/decycler.hpp"
#include "indicators/averages/instantaneous_trendline.hpp"
#include "indicators/averages/super_smoother.hpp"
#include "indicators/bands/acceleration_bands.hpp"
#include "indicators/bands/bomar_bands.hpp"
#include "indicators/bands/candle_volume.hpp"
#include "indicators/bands/donchian.hpp"
#include "indicators/bands/equivolume.hpp"
#include "indicators/bands/fractal_chaos_bands.hpp"
#include "indicators/bands/hurst_channel.hpp"
#include "indicators/bands/lin_reg_channel.hpp"
#include "indicators/bands/ma_envelope.hpp"
#include "indicators/bands/median_channel.hpp"
#include "indicators/bands/projection_bands.hpp"
#include "indicators/bands/quartile_bands.hpp"
#include "indicators/bands/standard_error_bands.hpp"
#include "indicators/cycles/adaptive_cycle.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "indicators/cycles/bandpass_filter.hpp"
#include "indicators/cycles/center_of_gravity.hpp"
#include "indicators/cycles/correlation_trend_indicator.hpp"
#include "indicators/cycles/cybernetic_cycle.hpp"
#include "indicators/cycles/decycler_oscillator.hpp"
#include "indicators/cycles/ehlers_stochastic.hpp"
#include "indicators/cycles/empirical_mode_decomposition.hpp"
#include "indicators/cycles/even_better_sinewave.hpp"
#include "indicators/cycles/fisher_transform.hpp"
#include "indicators/cycles/highpass_filter.hpp"
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
#include "indicators/cycles/ht_dc_phase.hpp"
#include "indicators/cycles/ht_trend_mode.hpp"
#include "indicators/cycles/inverse_fisher_transform.hpp"
#include "indicators/cycles/laguerre_rsi.hpp"
#include "indicators/cycles/reflex.hpp"
#include "indicators/cycles/roofing_filter.hpp"
#include "indicators/cycles/sine_wave.hpp"
#include "indicators/cycles/trendflex.hpp"
#include "indicators/cycles/universal_oscillator.hpp"
#include "indicators/cycles/wave_pm.hpp"
#include "indicators/levels/andrews_pitchfork.hpp"
#include "indicators/levels/murrey_math_lines.hpp"
#include "indicators/momentum/accelerator_oscillator.hpp"
#include "indicators/momentum/adaptive_cci.hpp"
#include "indicators/momentum/awesome_oscillator.hpp"
#include "indicators/momentum/awesome_oscillator_histogram.hpp"
#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/heikin_ashi_oscillator.hpp"
#include "indicators/momentum/intraday_momentum_index.hpp"
#include "indicators/momentum/mid_price.hpp"
#include "indicators/momentum/pgo.hpp"
#include "indicators/momentum/projection_oscillator.hpp"
#include "indicators/momentum/qstick.hpp"
#include "indicators/momentum/rvi.hpp"
#include "indicators/momentum/smi.hpp"
#include "indicators/momentum/stochastic_cci.hpp"
#include "indicators/momentum/ttm_trend.hpp"
#include "indicators/momentum/ultimate_oscillator.hpp"
#include "indicators/momentum/williams_r.hpp"
#include "indicators/profiles/overnight_gap.hpp"
#include "indicators/profiles/seasonal_z_score.hpp"
#include "indicators/profiles/turn_of_month.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/median_absolute_deviation.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/rolling_iqr.hpp"
#include "indicators/statistics/rolling_min_max_scaler.hpp"
#include "indicators/statistics/rolling_percentile_rank.hpp"
#include "indicators/statistics/rolling_quantile.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/skewness.hpp"
#include "indicators/trend/adxr.hpp"
#include "indicators/trend/aroon_oscillator.hpp"
#include "indicators/trend/atr_trailing_stop.hpp"
#include "indicators/trend/directional_movement.hpp"
#include "indicators/trend/hi_lo_activator.hpp"
#include "indicators/trend/psar.hpp"
#include "indicators/trend/sar_ext.hpp"
#include "indicators/trend/time_based_stop.hpp"
#include "indicators/trend/volty_stop.hpp"
#include "indicators/trend/yoyo_exit.hpp"
#include "indicators/volatility/atr.hpp"
#include "indicators/volatility/average_daily_range.hpp"
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/chaikin_volatility.hpp"
#include "indicators/volatility/choppiness_index.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/inertia.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/log_return.hpp"
#include "indicators/volatility/mass_index.hpp"
#include "indicators/volatility/natr.hpp"
#include "indicators/volatility/range_volatility.hpp"
#include "indicators/volatility/realized_volatility.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "indicators/volatility/volatility_of_volatility.hpp"
#include "indicators/breadth/breadth_lines.hpp"
#include "indicators/breadth/breadth_measures.hpp"
#include "indicators/breadth/breadth_thrust.hpp"
#include "indicators/breadth/high_low_index.hpp"
#include "indicators/breadth/mc_clellan.hpp"
#include "indicators/flow/amihud_illiquidity.hpp"
#include "indicators/flow/cumulative_volume_delta.hpp"
#include "indicators/flow/kyles_lambda.hpp"
#include "indicators/flow/pin.hpp"
#include "indicators/flow/realized_spread.hpp"
#include "indicators/flow/roll_measure.hpp"
#include "indicators/flow/trade_imbalance.hpp"
#include "indicators/flow/trade_measures.hpp"
#include "indicators/flow/trade_sign_autocorrelation.hpp"
#include "indicators/flow/vpin.hpp"
#include "indicators/levels/auto_fib.hpp"
#include "indicators/levels/camarilla.hpp"
#include "indicators/levels/central_pivot_range.hpp"
#include "indicators/levels/classic_pivots.hpp"
#include "indicators/levels/demark_pivots.hpp"
#include "indicators/levels/fib_arcs.hpp"
#include "indicators/levels/fib_channel.hpp"
#include "indicators/levels/fib_confluence.hpp"
#include "indicators/levels/fib_extension.hpp"
#include "indicators/levels/fib_fan.hpp"
#include "indicators/levels/fib_projection.hpp"
#include "indicators/levels/fib_retracement.hpp"
#include "indicators/levels/fib_time_zones.hpp"
#include "indicators/levels/fibonacci_pivots.hpp"
#include "indicators/levels/golden_pocket.hpp"
#include "indicators/levels/woodie_pivots.hpp"
#include "indicators/pairs/alpha.hpp"
#include "indicators/pairs/beta.hpp"
#include "indicators/pairs/beta_neutral_spread.hpp"
#include "indicators/pairs/cointegration.hpp"
#include "indicators/pairs/distance_ssd.hpp"
#include "indicators/pairs/granger_causality.hpp"
#include "indicators/pairs/hasbrouck_information_share.hpp"
#include "indicators/pairs/information_ratio.hpp"
#include "indicators/pairs/kalman_hedge_ratio.hpp"
#include "indicators/pairs/kendall_tau.hpp"
#include "indicators/pairs/lead_lag_cross_correlation.hpp"
#include "indicators/pairs/ou_half_life.hpp"
#include "indicators/pairs/pair_spread_z_score.hpp"
#include "indicators/pairs/pairwise_beta.hpp"
#include "indicators/pairs/pearson_correlation.hpp"
#include "indicators/pairs/relative_strength_ab.hpp"
#include "indicators/pairs/rolling_correlation.hpp"
#include "indicators/pairs/rolling_covariance.hpp"
#include "indicators/pairs/spearman_correlation.hpp"
#include "indicators/pairs/spread_ar1_coefficient.hpp"
#include "indicators/pairs/spread_bollinger_bands.hpp"
#include "indicators/pairs/spread_hurst.hpp"
#include "indicators/pairs/treynor_ratio.hpp"
#include "indicators/pairs/variance_ratio.hpp"
#include "indicators/patterns/abcd.hpp"
#include "indicators/patterns/bat.hpp"
#include "indicators/patterns/butterfly.hpp"
#include "indicators/patterns/crab.hpp"
#include "indicators/patterns/cup_and_handle.hpp"
#include "indicators/patterns/cypher.hpp"
#include "indicators/patterns/double_top_bottom.hpp"
#include "indicators/patterns/flag_pennant.hpp"
#include "indicators/patterns/gartley.hpp"
#include "indicators/patterns/head_and_shoulders.hpp"
#include "indicators/patterns/rectangle_range.hpp"
#include "indicators/patterns/shark.hpp"
#include "indicators/patterns/three_drives.hpp"
#include "indicators/patterns/triangle.hpp"
#include "indicators/patterns/triple_top_bottom.hpp"
#include "indicators/patterns/wedge.hpp"
#include "indicators/volatility/volatility_ratio.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"
#include "indicators/volume/ad_oscillator.hpp"
#include "indicators/volume/adl.hpp"
#include "indicators/volume/bar_transforms.hpp"
#include "indicators/volume/better_volume.hpp"
#include "indicators/volume/chaikin_money_flow.hpp"
#include "indicators/volume/chaikin_oscillator.hpp"
#include "indicators/volume/demand_index.hpp"
#include "indicators/volume/ease_of_movement.hpp"
#include "indicators/volume/evwma.hpp"
#include "indicators/volume/force_index.hpp"
#include "indicators/volume/kvo.hpp"
#include "indicators/volume/mfi.hpp"
#include "indicators/volume/obv.hpp"
#include "indicators/volume/rolling_vwap.hpp"
#include "indicators/volume/session_vwap.hpp"
#include "indicators/volume/trade_volume_index.hpp"
#include "indicators/volume/true_range.hpp"
#include "indicators/volume/tsv.hpp"
#include "indicators/volume/twiggs_money_flow.hpp"
#include "indicators/volume/volume_index.hpp"
#include "indicators/volume/volume_oscillator.hpp"
#include "indicators/volume/volume_price_trend.hpp"
#include "indicators/volume/volume_rsi.hpp"
#include "indicators/volume/vwap.hpp"
#include "indicators/volume/vwma.hpp"
#include "indicators/volume/vzo.hpp"
#include "indicators/volume/wad.hpp"
#include "indicators/averages/heikin_ashi.hpp"
#include "indicators/averages/smoothed_heikin_ashi.hpp"
#include "indicators/cycles/ht_phasor.hpp"
#include "indicators/cycles/mama.hpp"
#include "indicators/momentum/kase_permission_stochastic.hpp"
#include "indicators/momentum/kst.hpp"
#include "indicators/momentum/macd_fix.hpp"
#include "indicators/momentum/macd_indicator.hpp"
#include "indicators/momentum/qqe.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "indicators/momentum/volume_weighted_macd.hpp"
#include "indicators/momentum/wave_trend.hpp"
#include "indicators/momentum/zero_lag_macd.hpp"
#include "indicators/trend/adx.hpp"
#include "indicators/trend/alligator.hpp"
#include "indicators/trend/aroon.hpp"
#include "indicators/trend/elder_ray.hpp"
#include "indicators/trend/gator_oscillator.hpp"
#include "indicators/trend/rwi.hpp"
#include "indicators/trend/vortex.hpp"

namespace torvex {

namespace {

constexpr ParamKind kInt = ParamKind::PositiveInt;
[[maybe_unused]] constexpr ParamKind kNum = ParamKind::Finite;
[[maybe_unused]] constexpr ParamKind kI32 = ParamKind::I32;
[[maybe_unused]] constexpr ParamKind kU32 = ParamKind::U32;

constexpr RegistryRow kRows[] = {
    {"AbandonedBaby", 0, &build_new<AbandonedBaby>},
    {"Abcd", 0, &build_new<Abcd>},
    {"AbsoluteBreadthIndex", 5, &build_new<AbsoluteBreadthIndex>},
    {"AccelerationBands", 0, &build_new<AccelerationBands, kInt, kNum>},
    {"AcceleratorOscillator", 0, &build_new<AcceleratorOscillator, kInt, kInt, kInt>},
    {"AdOscillator", 0, &build_new<AdOscillator>},
    {"AdVolumeLine", 5, &build_new<AdVolumeLine>},
    {"AdaptiveCci", 0, &build_new<AdaptiveCci, kInt>},
    {"AdaptiveCycle", 0, &build_new<AdaptiveCycle>},
    {"AdaptiveLaguerreFilter", 0, &build_new<AdaptiveLaguerreFilter, kInt>},
    {"AdaptiveRsi", 0, &build_new<AdaptiveRsi, kInt>},
    {"Adl", 0, &build_new<Adl>},
    {"AdvanceBlock", 0, &build_new<AdvanceBlock>},
    {"AdvanceDecline", 5, &build_new<AdvanceDecline>},
    {"AdvanceDeclineRatio", 5, &build_new<AdvanceDeclineRatio>},
    {"Adx", 0, &build_new<Adx, kInt>},
    {"Adxr", 0, &build_new<Adxr, kInt>},
    {"Alligator", 0, &build_new<Alligator, kInt, kInt, kInt>},
    {"Alma", 0, &build_new<Alma, kInt, kNum, kNum>},
    {"Alpha", 0, &build_new<Alpha, kInt, kNum>},
    {"AmihudIlliquidity", 1, &build_new<AmihudIlliquidity, kInt>},
    {"AnchoredRsi", 0, &build_new<AnchoredRsi>},
    {"AnchoredVwap", 0, &build_new<AnchoredVwap>},
    {"AndrewsPitchfork", 0, &build_new<AndrewsPitchfork, kInt>},
    {"Apo", 0, &build_new<Apo, kInt, kInt>},
    {"Aroon", 0, &build_new<Aroon, kInt>},
    {"AroonOscillator", 0, &build_new<AroonOscillator, kInt>},
    {"Atr", 0, &build_new<Atr, kInt>},
    {"AtrBands", 0, &build_new<AtrBands, kInt, kNum>},
    {"AtrRatchet", 0, &build_new<AtrRatchet, kInt, kNum, kNum>},
    {"AtrTrailingStop", 0, &build_new<AtrTrailingStop, kInt, kNum>},
    {"AutoFib", 0, &build_new<AutoFib>},
    {"Autocorrelation", 0, &build_new<Autocorrelation, kInt, kInt>},
    {"AutocorrelationPeriodogram", 0, &build_new<AutocorrelationPeriodogram, kInt, kInt>},
    {"AverageDailyRange", 0, &build_new<AverageDailyRange, kInt, kI32>},
    {"AverageDrawdown", 0, &build_new<AverageDrawdown, kInt>},
    {"AvgPrice", 0, &build_new<AvgPrice>},
    {"AwesomeOscillator", 0, &build_new<AwesomeOscillator, kInt, kInt>},
    {"AwesomeOscillatorHistogram", 0, &build_new<AwesomeOscillatorHistogram, kInt, kInt, kInt>},
    {"BalanceOfPower", 0, &build_new<BalanceOfPower>},
    {"BandpassFilter", 0, &build_new<BandpassFilter, kInt, kNum>},
    {"Bat", 0, &build_new<Bat>},
    {"BeltHold", 0, &build_new<BeltHold>},
    {"Beta", 0, &build_new<Beta, kInt>},
    {"BetaNeutralSpread", 0, &build_new<BetaNeutralSpread, kInt>},
    {"BetterVolume", 0, &build_new<BetterVolume, kInt>},
    {"BipowerVariation", 0, &build_new<BipowerVariation, kInt>},
    {"BodySizePct", 0, &build_new<BodySizePct>},
    {"BollingerBands", 0, &build_new<BollingerBands, kInt, kNum>},
    {"BollingerBandwidth", 0, &build_new<BollingerBandwidth, kInt, kNum>},
    {"BomarBands", 0, &build_new<BomarBands, kInt, kNum>},
    {"BreadthThrust", 5, &build_new<BreadthThrust, kInt>},
    {"Breakaway", 0, &build_new<Breakaway>},
    {"BullishPercentIndex", 5, &build_new<BullishPercentIndex>},
    {"BurkeRatio", 0, &build_new<BurkeRatio, kInt>},
    {"Butterfly", 0, &build_new<Butterfly>},
    {"CalendarSpread", 4, &build_new<CalendarSpread>},
    {"CalmarRatio", 0, &build_new<CalmarRatio, kInt>},
    {"Camarilla", 0, &build_new<Camarilla>},
    {"CandleVolume", 0, &build_new<CandleVolume, kInt>},
    {"Cci", 0, &build_new<Cci, kInt>},
    {"CenterOfGravity", 0, &build_new<CenterOfGravity, kInt>},
    {"CentralPivotRange", 0, &build_new<CentralPivotRange>},
    {"Cfo", 0, &build_new<Cfo, kInt>},
    {"ChaikinMoneyFlow", 0, &build_new<ChaikinMoneyFlow, kInt>},
    {"ChaikinOscillator", 0, &build_new<ChaikinOscillator, kInt, kInt>},
    {"ChaikinVolatility", 0, &build_new<ChaikinVolatility, kInt, kInt>},
    {"ChandeKrollStop", 0, &build_new<ChandeKrollStop, kInt, kNum, kInt>},
    {"ChandelierExit", 0, &build_new<ChandelierExit, kInt, kNum>},
    {"ChoppinessIndex", 0, &build_new<ChoppinessIndex, kInt>},
    {"ClassicPivots", 0, &build_new<ClassicPivots>},
    {"CloseVsOpen", 0, &build_new<CloseVsOpen>},
    {"ClosingMarubozu", 0, &build_new<ClosingMarubozu>},
    {"Cmo", 0, &build_new<Cmo, kInt>},
    {"CoefficientOfVariation", 0, &build_new<CoefficientOfVariation, kInt>},
    {"Cointegration", 0, &build_new<Cointegration, kInt, kInt>},
    {"CommonSenseRatio", 0, &build_new<CommonSenseRatio, kInt>},
    {"CompositeProfile", 0, &build_new<CompositeProfile, kInt, kInt, kNum>},
    {"ConcealingBabySwallow", 0, &build_new<ConcealingBabySwallow>},
    {"ConditionalValueAtRisk", 0, &build_new<ConditionalValueAtRisk, kInt, kNum>},
    {"ConnorsRsi", 0, &build_new<ConnorsRsi, kInt, kInt, kInt>},
    {"Coppock", 0, &build_new<Coppock, kInt, kInt, kInt>},
    {"CorrelationTrendIndicator", 0, &build_new<CorrelationTrendIndicator, kInt>},
    {"Counterattack", 0, &build_new<Counterattack>},
    {"Crab", 0, &build_new<Crab>},
    {"CumulativeVolumeDelta", 1, &build_new<CumulativeVolumeDelta>},
    {"CumulativeVolumeIndex", 5, &build_new<CumulativeVolumeIndex>},
    {"CupAndHandle", 0, &build_new<CupAndHandle>},
    {"CyberneticCycle", 0, &build_new<CyberneticCycle, kInt>},
    {"Cypher", 0, &build_new<Cypher>},
    {"Decycler", 0, &build_new<Decycler, kInt>},
    {"DecyclerOscillator", 0, &build_new<DecyclerOscillator, kInt, kInt>},
    {"Dema", 0, &build_new<Dema, kInt>},
    {"DemandIndex", 0, &build_new<DemandIndex, kInt>},
    {"DemarkPivots", 0, &build_new<DemarkPivots>},
    {"DepthSlope", 2, &build_new<DepthSlope>},
    {"DerivativeOscillator", 0, &build_new<DerivativeOscillator, kInt, kInt, kInt, kInt>},
    {"DetrendedStdDev", 0, &build_new<DetrendedStdDev, kInt>},
    {"DisparityIndex", 0, &build_new<DisparityIndex, kInt>},
    {"DistanceSsd", 0, &build_new<DistanceSsd, kInt>},
    {"Doji", 0, &build_new<Doji>},
    {"DojiStar", 0, &build_new<DojiStar>},
    {"Donchian", 0, &build_new<Donchian, kInt>},
    {"DonchianStop", 0, &build_new<DonchianStop, kInt>},
    {"DoubleBollinger", 0, &build_new<DoubleBollinger, kInt, kNum, kNum>},
    {"DoubleTopBottom", 0, &build_new<DoubleTopBottom>},
    {"DownsideGapThreeMethods", 0, &build_new<DownsideGapThreeMethods>},
    {"Dpo", 0, &build_new<Dpo, kInt>},
    {"DragonflyDoji", 0, &build_new<DragonflyDoji>},
    {"DumplingTop", 0, &build_new<DumplingTop, kInt>},
    {"Dx", 0, &build_new<Dx, kInt>},
    {"DynamicMomentumIndex", 0, &build_new<DynamicMomentumIndex, kInt>},
    {"EaseOfMovement", 0, &build_new<EaseOfMovement, kInt>},
    {"EffectiveSpread", 3, &build_new<EffectiveSpread>},
    {"EhlersStochastic", 0, &build_new<EhlersStochastic, kInt>},
    {"Ehma", 0, &build_new<Ehma, kInt>},
    {"ElderImpulse", 0, &build_new<ElderImpulse, kInt, kInt, kInt, kInt>},
    {"ElderRay", 0, &build_new<ElderRay, kInt>},
    {"ElderSafeZone", 0, &build_new<ElderSafeZone, kInt, kNum>},
    {"Ema", 0, &build_new<Ema, kInt>},
    {"EmpiricalModeDecomposition", 0, &build_new<EmpiricalModeDecomposition, kInt, kNum>},
    {"Engulfing", 0, &build_new<Engulfing>},
    {"Equivolume", 0, &build_new<Equivolume, kInt>},
    {"EstimatedLeverageRatio", 0, &build_new<EstimatedLeverageRatio>},
    {"EvenBetterSinewave", 0, &build_new<EvenBetterSinewave, kInt, kInt>},
    {"EveningDojiStar", 0, &build_new<EveningDojiStar>},
    {"Evwma", 0, &build_new<Evwma, kInt>},
    {"EwmaVolatility", 0, &build_new<EwmaVolatility, kNum>},
    {"Expectancy", 0, &build_new<Expectancy, kInt>},
    {"FallingThreeMethods", 0, &build_new<FallingThreeMethods>},
    {"Fama", 0, &build_new<Fama, kNum, kNum>},
    {"FibArcs", 0, &build_new<FibArcs>},
    {"FibChannel", 0, &build_new<FibChannel>},
    {"FibConfluence", 0, &build_new<FibConfluence>},
    {"FibExtension", 0, &build_new<FibExtension>},
    {"FibFan", 0, &build_new<FibFan>},
    {"FibProjection", 0, &build_new<FibProjection>},
    {"FibRetracement", 0, &build_new<FibRetracement>},
    {"FibTimeZones", 0, &build_new<FibTimeZones>},
    {"FibonacciPivots", 0, &build_new<FibonacciPivots>},
    {"FisherRsi", 0, &build_new<FisherRsi, kInt>},
    {"FisherTransform", 0, &build_new<FisherTransform, kInt>},
    {"FlagPennant", 0, &build_new<FlagPennant>},
    {"ForceIndex", 0, &build_new<ForceIndex, kInt>},
    {"FractalChaosBands", 0, &build_new<FractalChaosBands, kInt>},
    {"Frama", 0, &build_new<Frama, kInt>},
    {"FryPanBottom", 0, &build_new<FryPanBottom, kInt>},
    {"FundingBasis", 4, &build_new<FundingBasis>},
    {"FundingImpliedApr", 4, &build_new<FundingImpliedApr, kNum>},
    {"FundingRate", 4, &build_new<FundingRate>},
    {"FundingRateMean", 4, &build_new<FundingRateMean, kInt>},
    {"FundingRateZScore", 4, &build_new<FundingRateZScore, kInt>},
    {"GainLossRatio", 0, &build_new<GainLossRatio, kInt>},
    {"GainToPainRatio", 0, &build_new<GainToPainRatio, kInt>},
    {"GapSideBySideWhite", 0, &build_new<GapSideBySideWhite>},
    {"Garch11", 0, &build_new<Garch11, kNum, kNum, kNum>},
    {"GarmanKlassVolatility", 0, &build_new<GarmanKlassVolatility, kInt, kInt>},
    {"Gartley", 0, &build_new<Gartley>},
    {"GatorOscillator", 0, &build_new<GatorOscillator, kInt, kInt, kInt>},
    {"GeneralizedDema", 0, &build_new<GeneralizedDema, kInt, kNum>},
    {"GeometricMa", 0, &build_new<GeometricMa, kInt>},
    {"GoldenPocket", 0, &build_new<GoldenPocket>},
    {"GrangerCausality", 0, &build_new<GrangerCausality, kInt, kInt>},
    {"GravestoneDoji", 0, &build_new<GravestoneDoji>},
    {"Hammer", 0, &build_new<Hammer>},
    {"HangingMan", 0, &build_new<HangingMan>},
    {"Harami", 0, &build_new<Harami>},
    {"HaramiCross", 0, &build_new<HaramiCross>},
    {"HasbrouckInformationShare", 0, &build_new<HasbrouckInformationShare, kInt>},
    {"HeadAndShoulders", 0, &build_new<HeadAndShoulders>},
    {"HeikinAshi", 0, &build_new<HeikinAshi>},
    {"HeikinAshiOscillator", 0, &build_new<HeikinAshiOscillator, kInt>},
    {"HiLoActivator", 0, &build_new<HiLoActivator, kInt>},
    {"HighLowIndex", 5, &build_new<HighLowIndex, kInt>},
    {"HighLowRange", 0, &build_new<HighLowRange>},
    {"HighLowVolumeNodes", 0, &build_new<HighLowVolumeNodes, kInt, kInt>},
    {"HighWave", 0, &build_new<HighWave>},
    {"HighpassFilter", 0, &build_new<HighpassFilter, kInt>},
    {"Hikkake", 0, &build_new<Hikkake>},
    {"HikkakeModified", 0, &build_new<HikkakeModified>},
    {"HilbertDominantCycle", 0, &build_new<HilbertDominantCycle>},
    {"HistoricalVolatility", 0, &build_new<HistoricalVolatility, kInt, kInt>},
    {"Hma", 0, &build_new<Hma, kInt>},
    {"HoltWinters", 0, &build_new<HoltWinters, kNum, kNum>},
    {"HomingPigeon", 0, &build_new<HomingPigeon>},
    {"HtDcPhase", 0, &build_new<HtDcPhase>},
    {"HtPhasor", 0, &build_new<HtPhasor>},
    {"HtTrendMode", 0, &build_new<HtTrendMode>},
    {"HurstChannel", 0, &build_new<HurstChannel, kInt, kNum>},
    {"HurstExponent", 0, &build_new<HurstExponent, kInt, kInt>},
    {"IdenticalThreeCrows", 0, &build_new<IdenticalThreeCrows>},
    {"InNeck", 0, &build_new<InNeck>},
    {"Inertia", 0, &build_new<Inertia, kInt, kInt>},
    {"InformationRatio", 0, &build_new<InformationRatio, kInt>},
    {"InitialBalance", 0, &build_new<InitialBalance, kInt>},
    {"InstantaneousTrendline", 0, &build_new<InstantaneousTrendline, kInt>},
    {"IntradayIntensity", 0, &build_new<IntradayIntensity>},
    {"IntradayMomentumIndex", 0, &build_new<IntradayMomentumIndex, kInt>},
    {"InverseFisherTransform", 0, &build_new<InverseFisherTransform, kNum>},
    {"InvertedHammer", 0, &build_new<InvertedHammer>},
    {"JarqueBera", 0, &build_new<JarqueBera, kInt>},
    {"Jma", 0, &build_new<Jma, kInt, kNum, kU32>},
    {"JumpIndicator", 0, &build_new<JumpIndicator, kInt, kNum>},
    {"KRatio", 0, &build_new<KRatio, kInt>},
    {"KalmanHedgeRatio", 0, &build_new<KalmanHedgeRatio, kNum, kNum>},
    {"Kama", 0, &build_new<Kama, kInt, kInt, kInt>},
    {"KaseDevStop", 0, &build_new<KaseDevStop, kInt, kNum>},
    {"KasePermissionStochastic", 0, &build_new<KasePermissionStochastic, kInt, kInt>},
    {"KellyCriterion", 0, &build_new<KellyCriterion, kInt>},
    {"Keltner", 0, &build_new<Keltner, kInt, kInt, kNum>},
    {"KendallTau", 0, &build_new<KendallTau, kInt>},
    {"Kicking", 0, &build_new<Kicking>},
    {"KickingByLength", 0, &build_new<KickingByLength>},
    {"Kst", 0, &build_new<Kst, kInt, kInt, kInt, kInt, kInt, kInt, kInt, kInt, kInt>},
    {"Kurtosis", 0, &build_new<Kurtosis, kInt>},
    {"Kvo", 0, &build_new<Kvo, kInt, kInt>},
    {"KylesLambda", 3, &build_new<KylesLambda, kInt>},
    {"LadderBottom", 0, &build_new<LadderBottom>},
    {"LaguerreRsi", 0, &build_new<LaguerreRsi, kNum>},
    {"LeadLagCrossCorrelation", 0, &build_new<LeadLagCrossCorrelation, kInt, kInt>},
    {"LinRegAngle", 0, &build_new<LinRegAngle, kInt>},
    {"LinRegChannel", 0, &build_new<LinRegChannel, kInt, kNum>},
    {"LinRegIntercept", 0, &build_new<LinRegIntercept, kInt>},
    {"LinRegSlope", 0, &build_new<LinRegSlope, kInt>},
    {"LinearRegression", 0, &build_new<LinearRegression, kInt>},
    {"LiquidationFeatures", 4, &build_new<LiquidationFeatures>},
    {"LogReturn", 0, &build_new<LogReturn, kInt>},
    {"LongLeggedDoji", 0, &build_new<LongLeggedDoji>},
    {"LongLine", 0, &build_new<LongLine>},
    {"LongShortRatio", 4, &build_new<LongShortRatio>},
    {"M2Measure", 0, &build_new<M2Measure, kInt, kNum, kNum>},
    {"MaEnvelope", 0, &build_new<MaEnvelope, kInt, kNum>},
    {"MacdFix", 0, &build_new<MacdFix, kInt>},
    {"MacdHistogram", 0, &build_new<MacdHistogram, kInt, kInt, kInt>},
    {"MacdIndicator", 0, &build_new<MacdIndicator, kInt, kInt, kInt>},
    {"Mama", 0, &build_new<Mama, kNum, kNum>},
    {"MarketFacilitationIndex", 0, &build_new<MarketFacilitationIndex>},
    {"MartinRatio", 0, &build_new<MartinRatio, kInt>},
    {"Marubozu", 0, &build_new<Marubozu>},
    {"MassIndex", 0, &build_new<MassIndex, kInt, kInt>},
    {"MatHold", 0, &build_new<MatHold>},
    {"MatchingLow", 0, &build_new<MatchingLow>},
    {"MaxDrawdown", 0, &build_new<MaxDrawdown, kInt>},
    {"McClellanOscillator", 5, &build_new<McClellanOscillator>},
    {"McClellanSummationIndex", 5, &build_new<McClellanSummationIndex>},
    {"McGinleyDynamic", 0, &build_new<McGinleyDynamic, kInt>},
    {"MedianAbsoluteDeviation", 0, &build_new<MedianAbsoluteDeviation, kInt>},
    {"MedianChannel", 0, &build_new<MedianChannel, kInt, kNum>},
    {"MedianMa", 0, &build_new<MedianMa, kInt>},
    {"MedianPrice", 0, &build_new<MedianPrice>},
    {"Mfi", 0, &build_new<Mfi, kInt>},
    {"Microprice", 2, &build_new<Microprice>},
    {"MidPoint", 0, &build_new<MidPoint, kInt>},
    {"MidPrice", 0, &build_new<MidPrice, kInt>},
    {"MinusDi", 0, &build_new<MinusDi, kInt>},
    {"MinusDm", 0, &build_new<MinusDm, kInt>},
    {"ModifiedMaStop", 0, &build_new<ModifiedMaStop, kInt>},
    {"Mom", 0, &build_new<Mom, kInt>},
    {"MorningDojiStar", 0, &build_new<MorningDojiStar>},
    {"MorningEveningStar", 0, &build_new<MorningEveningStar>},
    {"MurreyMathLines", 0, &build_new<MurreyMathLines, kInt>},
    {"NakedPoc", 0, &build_new<NakedPoc, kInt, kInt>},
    {"Natr", 0, &build_new<Natr, kInt>},
    {"NewHighsNewLows", 5, &build_new<NewHighsNewLows>},
    {"NewPriceLines", 0, &build_new<NewPriceLines, kInt>},
    {"Nrtr", 0, &build_new<Nrtr, kNum>},
    {"Nvi", 0, &build_new<Nvi>},
    {"OIPriceDivergence", 4, &build_new<OIPriceDivergence, kInt>},
    {"OIWeighted", 4, &build_new<OIWeighted>},
    {"Obv", 0, &build_new<Obv>},
    {"OiToVolumeRatio", 4, &build_new<OiToVolumeRatio>},
    {"OmegaRatio", 0, &build_new<OmegaRatio, kInt, kNum>},
    {"OnNeck", 0, &build_new<OnNeck>},
    {"OpenInterestDelta", 4, &build_new<OpenInterestDelta>},
    {"OpenInterestMomentum", 4, &build_new<OpenInterestMomentum, kInt>},
    {"OpeningMarubozu", 0, &build_new<OpeningMarubozu>},
    {"OpeningRange", 0, &build_new<OpeningRange, kInt>},
    {"OrderBookImbalanceFull", 2, &build_new<OrderBookImbalanceFull>},
    {"OrderBookImbalanceTop1", 2, &build_new<OrderBookImbalanceTop1>},
    {"OrderBookImbalanceTopN", 2, &build_new<OrderBookImbalanceTopN, kInt>},
    {"OrderFlowImbalance", 2, &build_new<OrderFlowImbalance, kInt>},
    {"OuHalfLife", 0, &build_new<OuHalfLife, kInt>},
    {"OvernightGap", 0, &build_new<OvernightGap, kI32>},
    {"OvernightIntradayReturn", 0, &build_new<OvernightIntradayReturn, kI32>},
    {"PainIndex", 0, &build_new<PainIndex, kInt>},
    {"PairSpreadZScore", 0, &build_new<PairSpreadZScore, kInt, kInt>},
    {"PairwiseBeta", 0, &build_new<PairwiseBeta, kInt>},
    {"ParkinsonVolatility", 0, &build_new<ParkinsonVolatility, kInt, kInt>},
    {"PearsonCorrelation", 0, &build_new<PearsonCorrelation, kInt>},
    {"PercentAboveMa", 5, &build_new<PercentAboveMa>},
    {"PercentB", 0, &build_new<PercentB, kInt, kNum>},
    {"PercentageTrailingStop", 0, &build_new<PercentageTrailingStop, kNum>},
    {"PerpetualPremiumIndex", 4, &build_new<PerpetualPremiumIndex>},
    {"Pgo", 0, &build_new<Pgo, kInt>},
    {"PiercingDarkCloud", 0, &build_new<PiercingDarkCloud>},
    {"Pin", 1, &build_new<Pin, kInt>},
    {"PivotReversal", 0, &build_new<PivotReversal, kInt, kInt>},
    {"PlusDi", 0, &build_new<PlusDi, kInt>},
    {"PlusDm", 0, &build_new<PlusDm, kInt>},
    {"Pmo", 0, &build_new<Pmo, kInt, kInt>},
    {"PolarizedFractalEfficiency", 0, &build_new<PolarizedFractalEfficiency, kInt, kInt>},
    {"Ppo", 0, &build_new<Ppo, kInt, kInt>},
    {"PpoHistogram", 0, &build_new<PpoHistogram, kInt, kInt, kInt>},
    {"ProfileShape", 0, &build_new<ProfileShape, kInt, kInt>},
    {"ProfitFactor", 0, &build_new<ProfitFactor, kInt>},
    {"ProjectionBands", 0, &build_new<ProjectionBands, kInt>},
    {"ProjectionOscillator", 0, &build_new<ProjectionOscillator, kInt>},
    {"Psar", 0, &build_new<Psar, kNum, kNum, kNum>},
    {"Pvi", 0, &build_new<Pvi>},
    {"Qqe", 0, &build_new<Qqe, kInt, kInt, kNum>},
    {"Qstick", 0, &build_new<Qstick, kInt>},
    {"QuartileBands", 0, &build_new<QuartileBands, kInt>},
    {"QuotedSpread", 2, &build_new<QuotedSpread>},
    {"RSquared", 0, &build_new<RSquared, kInt>},
    {"RealizedSpread", 3, &build_new<RealizedSpread, kInt>},
    {"RealizedVolatility", 0, &build_new<RealizedVolatility, kInt>},
    {"RecoveryFactor", 0, &build_new<RecoveryFactor>},
    {"RectangleRange", 0, &build_new<RectangleRange>},
    {"Reflex", 0, &build_new<Reflex, kInt>},
    {"RegimeLabel", 0, &build_new<RegimeLabel, kInt, kInt>},
    {"RelativeStrengthAB", 0, &build_new<RelativeStrengthAB, kInt, kInt>},
    {"RenkoTrailingStop", 0, &build_new<RenkoTrailingStop, kNum>},
    {"RickshawMan", 0, &build_new<RickshawMan>},
    {"RisingThreeMethods", 0, &build_new<RisingThreeMethods>},
    {"Rmi", 0, &build_new<Rmi, kInt, kInt>},
    {"Roc", 0, &build_new<Roc, kInt>},
    {"Rocp", 0, &build_new<Rocp, kInt>},
    {"Rocr", 0, &build_new<Rocr, kInt>},
    {"Rocr100", 0, &build_new<Rocr100, kInt>},
    {"RogersSatchellVolatility", 0, &build_new<RogersSatchellVolatility, kInt, kInt>},
    {"RollMeasure", 1, &build_new<RollMeasure, kInt>},
    {"RollingCorrelation", 0, &build_new<RollingCorrelation, kInt>},
    {"RollingCovariance", 0, &build_new<RollingCovariance, kInt>},
    {"RollingIqr", 0, &build_new<RollingIqr, kInt>},
    {"RollingMinMaxScaler", 0, &build_new<RollingMinMaxScaler, kInt>},
    {"RollingPercentileRank", 0, &build_new<RollingPercentileRank, kInt>},
    {"RollingQuantile", 0, &build_new<RollingQuantile, kInt, kNum>},
    {"RollingVwap", 0, &build_new<RollingVwap, kInt>},
    {"RoofingFilter", 0, &build_new<RoofingFilter, kInt, kInt>},
    {"Rsi", 0, &build_new<Rsi, kInt>},
    {"Rsx", 0, &build_new<Rsx, kInt>},
    {"Rvi", 0, &build_new<Rvi, kInt>},
    {"RviVolatility", 0, &build_new<RviVolatility, kInt>},
    {"Rwi", 0, &build_new<Rwi, kInt>},
    {"SampleEntropy", 0, &build_new<SampleEntropy, kInt, kInt, kNum>},
    {"SarExt", 0, &build_new<SarExt, kNum, kNum, kNum, kNum, kNum, kNum, kNum, kNum>},
    {"SeasonalZScore", 0, &build_new<SeasonalZScore, kI32>},
    {"SeparatingLines", 0, &build_new<SeparatingLines>},
    {"SessionHighLow", 0, &build_new<SessionHighLow, kI32>},
    {"SessionRange", 0, &build_new<SessionRange, kI32>},
    {"SessionVwap", 0, &build_new<SessionVwap, kI32>},
    {"ShannonEntropy", 0, &build_new<ShannonEntropy, kInt, kInt>},
    {"Shark", 0, &build_new<Shark>},
    {"SharpeRatio", 0, &build_new<SharpeRatio, kInt, kNum>},
    {"ShootingStar", 0, &build_new<ShootingStar>},
    {"ShortLine", 0, &build_new<ShortLine>},
    {"SignedVolume", 1, &build_new<SignedVolume>},
    {"SineWave", 0, &build_new<SineWave>},
    {"SineWeightedMa", 0, &build_new<SineWeightedMa, kInt>},
    {"SinglePrints", 0, &build_new<SinglePrints, kInt, kInt>},
    {"Skewness", 0, &build_new<Skewness, kInt>},
    {"Sma", 0, &build_new<Sma, kInt>},
    {"Smi", 0, &build_new<Smi, kInt, kInt, kInt>},
    {"Smma", 0, &build_new<Smma, kInt>},
    {"SmoothedHeikinAshi", 0, &build_new<SmoothedHeikinAshi, kInt>},
    {"SortinoRatio", 0, &build_new<SortinoRatio, kInt, kNum>},
    {"SpearmanCorrelation", 0, &build_new<SpearmanCorrelation, kInt>},
    {"SpinningTop", 0, &build_new<SpinningTop>},
    {"SpreadAr1Coefficient", 0, &build_new<SpreadAr1Coefficient, kInt>},
    {"SpreadBollingerBands", 0, &build_new<SpreadBollingerBands, kInt, kNum>},
    {"SpreadHurst", 0, &build_new<SpreadHurst, kInt>},
    {"StalledPattern", 0, &build_new<StalledPattern>},
    {"StandardError", 0, &build_new<StandardError, kInt>},
    {"StandardErrorBands", 0, &build_new<StandardErrorBands, kInt, kNum>},
    {"StarcBands", 0, &build_new<StarcBands, kInt, kInt, kNum>},
    {"Stc", 0, &build_new<Stc, kInt, kInt, kInt, kNum>},
    {"StdDev", 0, &build_new<StdDev, kInt>},
    {"StepTrailingStop", 0, &build_new<StepTrailingStop, kNum>},
    {"SterlingRatio", 0, &build_new<SterlingRatio, kInt>},
    {"StickSandwich", 0, &build_new<StickSandwich>},
    {"StochRsi", 0, &build_new<StochRsi, kInt, kInt>},
    {"Stochastic", 0, &build_new<Stochastic, kInt, kInt>},
    {"StochasticCci", 0, &build_new<StochasticCci, kInt>},
    {"SuperSmoother", 0, &build_new<SuperSmoother, kInt>},
    {"SuperTrend", 0, &build_new<SuperTrend, kInt, kNum>},
    {"T3", 0, &build_new<T3, kInt, kNum>},
    {"TailRatio", 0, &build_new<TailRatio, kInt>},
    {"TakerBuySellRatio", 4, &build_new<TakerBuySellRatio>},
    {"Takuri", 0, &build_new<Takuri>},
    {"TasukiGap", 0, &build_new<TasukiGap>},
    {"TdCamouflage", 0, &build_new<TdCamouflage>},
    {"TdClop", 0, &build_new<TdClop>},
    {"TdClopwin", 0, &build_new<TdClopwin>},
    {"TdCombo", 0, &build_new<TdCombo, kInt, kInt, kInt, kInt>},
    {"TdCountdown", 0, &build_new<TdCountdown, kInt, kInt, kInt, kInt>},
    {"TdDWave", 0, &build_new<TdDWave, kInt>},
    {"TdDeMarker", 0, &build_new<TdDeMarker, kInt>},
    {"TdDifferential", 0, &build_new<TdDifferential>},
    {"TdLines", 0, &build_new<TdLines, kInt, kInt>},
    {"TdMovingAverage", 0, &build_new<TdMovingAverage, kInt, kInt>},
    {"TdOpen", 0, &build_new<TdOpen>},
    {"TdPressure", 0, &build_new<TdPressure, kInt>},
    {"TdPropulsion", 0, &build_new<TdPropulsion>},
    {"TdRangeProjection", 0, &build_new<TdRangeProjection>},
    {"TdRei", 0, &build_new<TdRei, kInt>},
    {"TdRiskLevel", 0, &build_new<TdRiskLevel, kInt, kInt>},
    {"TdSequential", 0, &build_new<TdSequential, kInt, kInt, kInt, kInt>},
    {"TdSetup", 0, &build_new<TdSetup, kInt, kInt>},
    {"TdTrap", 0, &build_new<TdTrap>},
    {"Tema", 0, &build_new<Tema, kInt>},
    {"TermStructureBasis", 4, &build_new<TermStructureBasis>},
    {"ThreeDrives", 0, &build_new<ThreeDrives>},
    {"ThreeInside", 0, &build_new<ThreeInside>},
    {"ThreeLineBreak", 0, &build_new<ThreeLineBreak, kInt>},
    {"ThreeLineStrike", 0, &build_new<ThreeLineStrike>},
    {"ThreeOutside", 0, &build_new<ThreeOutside>},
    {"ThreeSoldiersOrCrows", 0, &build_new<ThreeSoldiersOrCrows>},
    {"ThreeStarsInSouth", 0, &build_new<ThreeStarsInSouth>},
    {"Thrusting", 0, &build_new<Thrusting>},
    {"TickIndex", 5, &build_new<TickIndex>},
    {"Tii", 0, &build_new<Tii, kInt, kInt>},
    {"TimeBasedStop", 0, &build_new<TimeBasedStop, kInt>},
    {"TowerTopBottom", 0, &build_new<TowerTopBottom>},
    {"TpoProfile", 0, &build_new<TpoProfile, kInt, kInt>},
    {"TradeImbalance", 1, &build_new<TradeImbalance, kInt>},
    {"TradeSignAutocorrelation", 1, &build_new<TradeSignAutocorrelation, kInt>},
    {"TradeVolumeIndex", 0, &build_new<TradeVolumeIndex, kNum>},
    {"TrendLabel", 0, &build_new<TrendLabel, kInt>},
    {"TrendStrengthIndex", 0, &build_new<TrendStrengthIndex, kInt>},
    {"Trendflex", 0, &build_new<Trendflex, kInt>},
    {"TreynorRatio", 0, &build_new<TreynorRatio, kInt, kNum>},
    {"Triangle", 0, &build_new<Triangle>},
    {"Trima", 0, &build_new<Trima, kInt>},
    {"Trin", 5, &build_new<Trin>},
    {"TripleTopBottom", 0, &build_new<TripleTopBottom>},
    {"Tristar", 0, &build_new<Tristar>},
    {"Trix", 0, &build_new<Trix, kInt>},
    {"TrueRange", 0, &build_new<TrueRange>},
    {"Tsf", 0, &build_new<Tsf, kInt>},
    {"TsfOscillator", 0, &build_new<TsfOscillator, kInt>},
    {"Tsi", 0, &build_new<Tsi, kInt, kInt>},
    {"Tsv", 0, &build_new<Tsv, kInt>},
    {"TtmSqueeze", 0, &build_new<TtmSqueeze, kInt, kNum, kNum>},
    {"TtmTrend", 0, &build_new<TtmTrend, kInt>},
    {"TurnOfMonth", 0, &build_new<TurnOfMonth, kU32, kU32, kI32>},
    {"Tweezer", 0, &build_new<Tweezer>},
    {"TwiggsMoneyFlow", 0, &build_new<TwiggsMoneyFlow, kInt>},
    {"TwoCrows", 0, &build_new<TwoCrows>},
    {"TypicalPrice", 0, &build_new<TypicalPrice>},
    {"UlcerIndex", 0, &build_new<UlcerIndex, kInt>},
    {"UltimateOscillator", 0, &build_new<UltimateOscillator, kInt, kInt, kInt>},
    {"UniqueThreeRiver", 0, &build_new<UniqueThreeRiver>},
    {"UniversalOscillator", 0, &build_new<UniversalOscillator, kInt>},
    {"UpDownVolumeRatio", 5, &build_new<UpDownVolumeRatio>},
    {"UpsideGapThreeMethods", 0, &build_new<UpsideGapThreeMethods>},
    {"UpsideGapTwoCrows", 0, &build_new<UpsideGapTwoCrows>},
    {"UpsidePotentialRatio", 0, &build_new<UpsidePotentialRatio, kInt, kNum>},
    {"ValueArea", 0, &build_new<ValueArea, kInt, kInt, kNum>},
    {"ValueAtRisk", 0, &build_new<ValueAtRisk, kInt, kNum>},
    {"Variance", 0, &build_new<Variance, kInt>},
    {"VarianceRatio", 0, &build_new<VarianceRatio, kInt, kInt>},
    {"VerticalHorizontalFilter", 0, &build_new<VerticalHorizontalFilter, kInt>},
    {"Vidya", 0, &build_new<Vidya, kInt, kInt>},
    {"VolatilityCone", 0, &build_new<VolatilityCone, kInt, kInt>},
    {"VolatilityOfVolatility", 0, &build_new<VolatilityOfVolatility, kInt, kInt>},
    {"VolatilityRatio", 0, &build_new<VolatilityRatio, kInt>},
    {"VoltyStop", 0, &build_new<VoltyStop, kInt, kNum>},
    {"VolumeOscillator", 0, &build_new<VolumeOscillator, kInt, kInt>},
    {"VolumePriceTrend", 0, &build_new<VolumePriceTrend>},
    {"VolumeProfile", 0, &build_new<VolumeProfile, kInt, kInt>},
    {"VolumeRsi", 0, &build_new<VolumeRsi, kInt>},
    {"VolumeWeightedMacd", 0, &build_new<VolumeWeightedMacd, kInt, kInt, kInt>},
    {"VolumeWeightedSr", 0, &build_new<VolumeWeightedSr, kInt>},
    {"Vortex", 0, &build_new<Vortex, kInt>},
    {"Vpin", 1, &build_new<Vpin, kNum, kInt>},
    {"Vwap", 0, &build_new<Vwap>},
    {"VwapStdDevBands", 0, &build_new<VwapStdDevBands, kNum>},
    {"Vwma", 0, &build_new<Vwma, kInt>},
    {"Vzo", 0, &build_new<Vzo, kInt>},
    {"Wad", 0, &build_new<Wad>},
    {"WavePm", 0, &build_new<WavePm, kInt, kInt>},
    {"WaveTrend", 0, &build_new<WaveTrend, kInt, kInt, kInt>},
    {"Wedge", 0, &build_new<Wedge>},
    {"WeightedClose", 0, &build_new<WeightedClose>},
    {"WickRatio", 0, &build_new<WickRatio>},
    {"WilliamsR", 0, &build_new<WilliamsR, kInt>},
    {"WinRate", 0, &build_new<WinRate, kInt>},
    {"Wma", 0, &build_new<Wma, kInt>},
    {"WoodiePivots", 0, &build_new<WoodiePivots>},
    {"YangZhangVolatility", 0, &build_new<YangZhangVolatility, kInt, kInt>},
    {"YoyoExit", 0, &build_new<YoyoExit, kInt, kNum>},
    {"ZScore", 0, &build_new<ZScore, kInt>},
    {"ZeroLagMacd", 0, &build_new<ZeroLagMacd, kInt, kInt, kInt>},
    {"ZigZag", 0, &build_new<ZigZag, kNum>},
    {"Zlema", 0, &build_new<Zlema, kInt>},
};

static_assert(std::ranges::is_sorted(kRows, {}, &RegistryRow::name), "registry rows must stay sorted");

}  // namespace

std::span<const RegistryRow> registry_rows() { return kRows; }

}  // namespace torvex
