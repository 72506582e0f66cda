// The registry table: one row per indicator name, sorted by name for lookup.
// A null builder marks a name whose indicator type the library does not offer.
#include <algorithm>

#include "registry/registry.hpp"

#include "indicators/momentum/adaptive_rsi.hpp"
#include "indicators/averages/alma.hpp"
#include "indicators/momentum/apo.hpp"
#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/bands/bollinger_bandwidth.hpp"
#include "indicators/momentum/cfo.hpp"
#include "indicators/momentum/cmo.hpp"
#include "indicators/momentum/connors_rsi.hpp"
#include "indicators/momentum/coppock.hpp"
#include "indicators/averages/dema.hpp"
#include "indicators/momentum/derivative_oscillator.hpp"
#include "indicators/derivatives/derivatives_measures.hpp"
#include "indicators/momentum/disparity_index.hpp"
#include "indicators/bands/double_bollinger.hpp"
#include "indicators/momentum/dpo.hpp"
#include "indicators/momentum/dynamic_momentum_index.hpp"
#include "indicators/averages/ehma.hpp"
#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/averages/ema.hpp"
#include "indicators/derivatives/estimated_leverage_ratio.hpp"
#include "indicators/averages/fama.hpp"
#include "indicators/momentum/fisher_rsi.hpp"
#include "indicators/averages/frama.hpp"
#include "indicators/derivatives/funding_implied_apr.hpp"
#include "indicators/derivatives/funding_rate_mean.hpp"
#include "indicators/derivatives/funding_rate_z_score.hpp"
#include "indicators/averages/generalized_dema.hpp"
#include "indicators/averages/geometric_ma.hpp"
#include "indicators/averages/hma.hpp"
#include "indicators/averages/holt_winters.hpp"
#include "indicators/averages/jma.hpp"
#include "indicators/averages/kama.hpp"
#include "indicators/derivatives/liquidation_features.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/averages/mc_ginley_dynamic.hpp"
#include "indicators/averages/median_ma.hpp"
#include "indicators/averages/mid_point.hpp"
#include "indicators/derivatives/oi_price_divergence.hpp"
#include "indicators/derivatives/oi_weighted.hpp"
#include "indicators/derivatives/open_interest_delta.hpp"
#include "indicators/derivatives/open_interest_momentum.hpp"
#include "indicators/orderbook/order_book_imbalance_top_n.hpp"
#include "indicators/orderbook/order_book_measures.hpp"
#include "indicators/orderbook/order_flow_imbalance.hpp"
#include "indicators/bands/percent_b.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/trend/polarized_fractal_efficiency.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/momentum/rate_of_change.hpp"
#include "indicators/momentum/rmi.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/rsx.hpp"
#include "indicators/averages/sine_weighted_ma.hpp"
#include "indicators/averages/sma.hpp"
#include "indicators/averages/smma.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/momentum/stc.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "indicators/averages/t3.hpp"
#include "indicators/averages/tema.hpp"
#include "indicators/momentum/tii.hpp"
#include "indicators/trend/trend_strength_index.hpp"
#include "indicators/averages/trima.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/momentum/tsf_oscillator.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/trend/vertical_horizontal_filter.hpp"
#include "indicators/averages/vidya.hpp"
#include "indicators/bands/vwap_std_dev_bands.hpp"
#include "indicators/averages/wma.hpp"
#include "indicators/statistics/z_score.hpp"
#include "indicators/averages/zlema.hpp"
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
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/log_return.hpp"
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

namespace torvex {

namespace {

constexpr ParamKind kInt = ParamKind::PositiveInt;
[[maybe_unused]] constexpr ParamKind kNum = ParamKind::Finite;
[[maybe_unused]] constexpr ParamKind kI32 = ParamKind::I32;
[[maybe_unused]] constexpr ParamKind kU32 = ParamKind::U32;

constexpr RegistryRow kRows[] = {
    {"AbandonedBaby", 0, nullptr},
    {"Abcd", 0, nullptr},
    {"AbsoluteBreadthIndex", 5, &build_new<AbsoluteBreadthIndex>},
    {"AccelerationBands", 0, &build_new<AccelerationBands, kInt, kNum>},
    {"AcceleratorOscillator", 0, &build_new<AcceleratorOscillator, kInt, kInt, kInt>},
    {"AdOscillator", 0, nullptr},
    {"AdVolumeLine", 5, &build_new<AdVolumeLine>},
    {"AdaptiveCci", 0, &build_new<AdaptiveCci, kInt>},
    {"AdaptiveCycle", 0, nullptr},
    {"AdaptiveLaguerreFilter", 0, nullptr},
    {"AdaptiveRsi", 0, &build_new<AdaptiveRsi, kInt>},
    {"Adl", 0, nullptr},
    {"AdvanceBlock", 0, nullptr},
    {"AdvanceDecline", 5, &build_new<AdvanceDecline>},
    {"AdvanceDeclineRatio", 5, &build_new<AdvanceDeclineRatio>},
    {"Adx", 0, nullptr},
    {"Adxr", 0, nullptr},
    {"Alligator", 0, nullptr},
    {"Alma", 0, &build_new<Alma, kInt, kNum, kNum>},
    {"Alpha", 0, &build_new<Alpha, kInt, kNum>},
    {"AmihudIlliquidity", 1, &build_new<AmihudIlliquidity, kInt>},
    {"AnchoredRsi", 0, nullptr},
    {"AnchoredVwap", 0, nullptr},
    {"AndrewsPitchfork", 0, &build_new<AndrewsPitchfork, kInt>},
    {"Apo", 0, &build_new<Apo, kInt, kInt>},
    {"Aroon", 0, nullptr},
    {"AroonOscillator", 0, nullptr},
    {"Atr", 0, nullptr},
    {"AtrBands", 0, nullptr},
    {"AtrRatchet", 0, nullptr},
    {"AtrTrailingStop", 0, nullptr},
    {"AutoFib", 0, nullptr},
    {"Autocorrelation", 0, &build_new<Autocorrelation, kInt, kInt>},
    {"AutocorrelationPeriodogram", 0, nullptr},
    {"AverageDailyRange", 0, nullptr},
    {"AverageDrawdown", 0, nullptr},
    {"AvgPrice", 0, nullptr},
    {"AwesomeOscillator", 0, &build_new<AwesomeOscillator, kInt, kInt>},
    {"AwesomeOscillatorHistogram", 0, &build_new<AwesomeOscillatorHistogram, kInt, kInt, kInt>},
    {"BalanceOfPower", 0, nullptr},
    {"BandpassFilter", 0, nullptr},
    {"Bat", 0, nullptr},
    {"BeltHold", 0, nullptr},
    {"Beta", 0, &build_new<Beta, kInt>},
    {"BetaNeutralSpread", 0, &build_new<BetaNeutralSpread, kInt>},
    {"BetterVolume", 0, nullptr},
    {"BipowerVariation", 0, &build_new<BipowerVariation, kInt>},
    {"BodySizePct", 0, nullptr},
    {"BollingerBands", 0, &build_new<BollingerBands, kInt, kNum>},
    {"BollingerBandwidth", 0, &build_new<BollingerBandwidth, kInt, kNum>},
    {"BomarBands", 0, &build_new<BomarBands, kInt, kNum>},
    {"BreadthThrust", 5, &build_new<BreadthThrust, kInt>},
    {"Breakaway", 0, nullptr},
    {"BullishPercentIndex", 5, &build_new<BullishPercentIndex>},
    {"BurkeRatio", 0, nullptr},
    {"Butterfly", 0, nullptr},
    {"CalendarSpread", 4, &build_new<CalendarSpread>},
    {"CalmarRatio", 0, nullptr},
    {"Camarilla", 0, nullptr},
    {"CandleVolume", 0, &build_new<CandleVolume, kInt>},
    {"Cci", 0, &build_new<Cci, kInt>},
    {"CenterOfGravity", 0, nullptr},
    {"CentralPivotRange", 0, nullptr},
    {"Cfo", 0, &build_new<Cfo, kInt>},
    {"ChaikinMoneyFlow", 0, nullptr},
    {"ChaikinOscillator", 0, nullptr},
    {"ChaikinVolatility", 0, nullptr},
    {"ChandeKrollStop", 0, nullptr},
    {"ChandelierExit", 0, nullptr},
    {"ChoppinessIndex", 0, nullptr},
    {"ClassicPivots", 0, nullptr},
    {"CloseVsOpen", 0, nullptr},
    {"ClosingMarubozu", 0, nullptr},
    {"Cmo", 0, &build_new<Cmo, kInt>},
    {"CoefficientOfVariation", 0, &build_new<CoefficientOfVariation, kInt>},
    {"Cointegration", 0, &build_new<Cointegration, kInt, kInt>},
    {"CommonSenseRatio", 0, nullptr},
    {"CompositeProfile", 0, nullptr},
    {"ConcealingBabySwallow", 0, nullptr},
    {"ConditionalValueAtRisk", 0, nullptr},
    {"ConnorsRsi", 0, &build_new<ConnorsRsi, kInt, kInt, kInt>},
    {"Coppock", 0, &build_new<Coppock, kInt, kInt, kInt>},
    {"CorrelationTrendIndicator", 0, nullptr},
    {"Counterattack", 0, nullptr},
    {"Crab", 0, nullptr},
    {"CumulativeVolumeDelta", 1, &build_new<CumulativeVolumeDelta>},
    {"CumulativeVolumeIndex", 5, &build_new<CumulativeVolumeIndex>},
    {"CupAndHandle", 0, nullptr},
    {"CyberneticCycle", 0, nullptr},
    {"Cypher", 0, nullptr},
    {"Decycler", 0, nullptr},
    {"DecyclerOscillator", 0, nullptr},
    {"Dema", 0, &build_new<Dema, kInt>},
    {"DemandIndex", 0, nullptr},
    {"DemarkPivots", 0, nullptr},
    {"DepthSlope", 2, &build_new<DepthSlope>},
    {"DerivativeOscillator", 0, &build_new<DerivativeOscillator, kInt, kInt, kInt, kInt>},
    {"DetrendedStdDev", 0, &build_new<DetrendedStdDev, kInt>},
    {"DisparityIndex", 0, &build_new<DisparityIndex, kInt>},
    {"DistanceSsd", 0, &build_new<DistanceSsd, kInt>},
    {"Doji", 0, nullptr},
    {"DojiStar", 0, nullptr},
    {"Donchian", 0, &build_new<Donchian, kInt>},
    {"DonchianStop", 0, nullptr},
    {"DoubleBollinger", 0, &build_new<DoubleBollinger, kInt, kNum, kNum>},
    {"DoubleTopBottom", 0, nullptr},
    {"DownsideGapThreeMethods", 0, nullptr},
    {"Dpo", 0, &build_new<Dpo, kInt>},
    {"DragonflyDoji", 0, nullptr},
    {"DumplingTop", 0, nullptr},
    {"Dx", 0, nullptr},
    {"DynamicMomentumIndex", 0, &build_new<DynamicMomentumIndex, kInt>},
    {"EaseOfMovement", 0, nullptr},
    {"EffectiveSpread", 3, &build_new<EffectiveSpread>},
    {"EhlersStochastic", 0, nullptr},
    {"Ehma", 0, &build_new<Ehma, kInt>},
    {"ElderImpulse", 0, &build_new<ElderImpulse, kInt, kInt, kInt, kInt>},
    {"ElderRay", 0, nullptr},
    {"ElderSafeZone", 0, nullptr},
    {"Ema", 0, &build_new<Ema, kInt>},
    {"EmpiricalModeDecomposition", 0, nullptr},
    {"Engulfing", 0, nullptr},
    {"Equivolume", 0, &build_new<Equivolume, kInt>},
    {"EstimatedLeverageRatio", 0, &build_new<EstimatedLeverageRatio>},
    {"EvenBetterSinewave", 0, nullptr},
    {"EveningDojiStar", 0, nullptr},
    {"Evwma", 0, nullptr},
    {"EwmaVolatility", 0, &build_new<EwmaVolatility, kNum>},
    {"Expectancy", 0, nullptr},
    {"FallingThreeMethods", 0, nullptr},
    {"Fama", 0, &build_new<Fama, kNum, kNum>},
    {"FibArcs", 0, nullptr},
    {"FibChannel", 0, nullptr},
    {"FibConfluence", 0, nullptr},
    {"FibExtension", 0, nullptr},
    {"FibFan", 0, nullptr},
    {"FibProjection", 0, nullptr},
    {"FibRetracement", 0, nullptr},
    {"FibTimeZones", 0, nullptr},
    {"FibonacciPivots", 0, nullptr},
    {"FisherRsi", 0, &build_new<FisherRsi, kInt>},
    {"FisherTransform", 0, nullptr},
    {"FlagPennant", 0, nullptr},
    {"ForceIndex", 0, nullptr},
    {"FractalChaosBands", 0, &build_new<FractalChaosBands, kInt>},
    {"Frama", 0, &build_new<Frama, kInt>},
    {"FryPanBottom", 0, nullptr},
    {"FundingBasis", 4, &build_new<FundingBasis>},
    {"FundingImpliedApr", 4, &build_new<FundingImpliedApr, kNum>},
    {"FundingRate", 4, &build_new<FundingRate>},
    {"FundingRateMean", 4, &build_new<FundingRateMean, kInt>},
    {"FundingRateZScore", 4, &build_new<FundingRateZScore, kInt>},
    {"GainLossRatio", 0, nullptr},
    {"GainToPainRatio", 0, nullptr},
    {"GapSideBySideWhite", 0, nullptr},
    {"Garch11", 0, &build_new<Garch11, kNum, kNum, kNum>},
    {"GarmanKlassVolatility", 0, nullptr},
    {"Gartley", 0, nullptr},
    {"GatorOscillator", 0, nullptr},
    {"GeneralizedDema", 0, &build_new<GeneralizedDema, kInt, kNum>},
    {"GeometricMa", 0, &build_new<GeometricMa, kInt>},
    {"GoldenPocket", 0, nullptr},
    {"GrangerCausality", 0, &build_new<GrangerCausality, kInt, kInt>},
    {"GravestoneDoji", 0, nullptr},
    {"Hammer", 0, nullptr},
    {"HangingMan", 0, nullptr},
    {"Harami", 0, nullptr},
    {"HaramiCross", 0, nullptr},
    {"HasbrouckInformationShare", 0, &build_new<HasbrouckInformationShare, kInt>},
    {"HeadAndShoulders", 0, nullptr},
    {"HeikinAshi", 0, nullptr},
    {"HeikinAshiOscillator", 0, &build_new<HeikinAshiOscillator, kInt>},
    {"HiLoActivator", 0, nullptr},
    {"HighLowIndex", 5, &build_new<HighLowIndex, kInt>},
    {"HighLowRange", 0, nullptr},
    {"HighLowVolumeNodes", 0, nullptr},
    {"HighWave", 0, nullptr},
    {"HighpassFilter", 0, nullptr},
    {"Hikkake", 0, nullptr},
    {"HikkakeModified", 0, nullptr},
    {"HilbertDominantCycle", 0, nullptr},
    {"HistoricalVolatility", 0, &build_new<HistoricalVolatility, kInt, kInt>},
    {"Hma", 0, &build_new<Hma, kInt>},
    {"HoltWinters", 0, &build_new<HoltWinters, kNum, kNum>},
    {"HomingPigeon", 0, nullptr},
    {"HtDcPhase", 0, nullptr},
    {"HtPhasor", 0, nullptr},
    {"HtTrendMode", 0, nullptr},
    {"HurstChannel", 0, &build_new<HurstChannel, kInt, kNum>},
    {"HurstExponent", 0, &build_new<HurstExponent, kInt, kInt>},
    {"IdenticalThreeCrows", 0, nullptr},
    {"InNeck", 0, nullptr},
    {"Inertia", 0, nullptr},
    {"InformationRatio", 0, &build_new<InformationRatio, kInt>},
    {"InitialBalance", 0, nullptr},
    {"InstantaneousTrendline", 0, nullptr},
    {"IntradayIntensity", 0, nullptr},
    {"IntradayMomentumIndex", 0, &build_new<IntradayMomentumIndex, kInt>},
    {"InverseFisherTransform", 0, nullptr},
    {"InvertedHammer", 0, nullptr},
    {"JarqueBera", 0, &build_new<JarqueBera, kInt>},
    {"Jma", 0, &build_new<Jma, kInt, kNum, kU32>},
    {"JumpIndicator", 0, &build_new<JumpIndicator, kInt, kNum>},
    {"KRatio", 0, nullptr},
    {"KalmanHedgeRatio", 0, &build_new<KalmanHedgeRatio, kNum, kNum>},
    {"Kama", 0, &build_new<Kama, kInt, kInt, kInt>},
    {"KaseDevStop", 0, nullptr},
    {"KasePermissionStochastic", 0, nullptr},
    {"KellyCriterion", 0, nullptr},
    {"Keltner", 0, nullptr},
    {"KendallTau", 0, &build_new<KendallTau, kInt>},
    {"Kicking", 0, nullptr},
    {"KickingByLength", 0, nullptr},
    {"Kst", 0, nullptr},
    {"Kurtosis", 0, &build_new<Kurtosis, kInt>},
    {"Kvo", 0, nullptr},
    {"KylesLambda", 3, &build_new<KylesLambda, kInt>},
    {"LadderBottom", 0, nullptr},
    {"LaguerreRsi", 0, nullptr},
    {"LeadLagCrossCorrelation", 0, &build_new<LeadLagCrossCorrelation, kInt, kInt>},
    {"LinRegAngle", 0, &build_new<LinRegAngle, kInt>},
    {"LinRegChannel", 0, &build_new<LinRegChannel, kInt, kNum>},
    {"LinRegIntercept", 0, &build_new<LinRegIntercept, kInt>},
    {"LinRegSlope", 0, &build_new<LinRegSlope, kInt>},
    {"LinearRegression", 0, &build_new<LinearRegression, kInt>},
    {"LiquidationFeatures", 4, &build_new<LiquidationFeatures>},
    {"LogReturn", 0, &build_new<LogReturn, kInt>},
    {"LongLeggedDoji", 0, nullptr},
    {"LongLine", 0, nullptr},
    {"LongShortRatio", 4, &build_new<LongShortRatio>},
    {"M2Measure", 0, nullptr},
    {"MaEnvelope", 0, &build_new<MaEnvelope, kInt, kNum>},
    {"MacdFix", 0, nullptr},
    {"MacdHistogram", 0, &build_new<MacdHistogram, kInt, kInt, kInt>},
    {"MacdIndicator", 0, nullptr},
    {"Mama", 0, nullptr},
    {"MarketFacilitationIndex", 0, nullptr},
    {"MartinRatio", 0, nullptr},
    {"Marubozu", 0, nullptr},
    {"MassIndex", 0, nullptr},
    {"MatHold", 0, nullptr},
    {"MatchingLow", 0, nullptr},
    {"MaxDrawdown", 0, nullptr},
    {"McClellanOscillator", 5, &build_new<McClellanOscillator>},
    {"McClellanSummationIndex", 5, &build_new<McClellanSummationIndex>},
    {"McGinleyDynamic", 0, &build_new<McGinleyDynamic, kInt>},
    {"MedianAbsoluteDeviation", 0, &build_new<MedianAbsoluteDeviation, kInt>},
    {"MedianChannel", 0, &build_new<MedianChannel, kInt, kNum>},
    {"MedianMa", 0, &build_new<MedianMa, kInt>},
    {"MedianPrice", 0, nullptr},
    {"Mfi", 0, nullptr},
    {"Microprice", 2, &build_new<Microprice>},
    {"MidPoint", 0, &build_new<MidPoint, kInt>},
    {"MidPrice", 0, &build_new<MidPrice, kInt>},
    {"MinusDi", 0, nullptr},
    {"MinusDm", 0, nullptr},
    {"ModifiedMaStop", 0, nullptr},
    {"Mom", 0, &build_new<Mom, kInt>},
    {"MorningDojiStar", 0, nullptr},
    {"MorningEveningStar", 0, nullptr},
    {"MurreyMathLines", 0, &build_new<MurreyMathLines, kInt>},
    {"NakedPoc", 0, nullptr},
    {"Natr", 0, nullptr},
    {"NewHighsNewLows", 5, &build_new<NewHighsNewLows>},
    {"NewPriceLines", 0, nullptr},
    {"Nrtr", 0, nullptr},
    {"Nvi", 0, nullptr},
    {"OIPriceDivergence", 4, &build_new<OIPriceDivergence, kInt>},
    {"OIWeighted", 4, &build_new<OIWeighted>},
    {"Obv", 0, nullptr},
    {"OiToVolumeRatio", 4, &build_new<OiToVolumeRatio>},
    {"OmegaRatio", 0, nullptr},
    {"OnNeck", 0, nullptr},
    {"OpenInterestDelta", 4, &build_new<OpenInterestDelta>},
    {"OpenInterestMomentum", 4, &build_new<OpenInterestMomentum, kInt>},
    {"OpeningMarubozu", 0, nullptr},
    {"OpeningRange", 0, nullptr},
    {"OrderBookImbalanceFull", 2, &build_new<OrderBookImbalanceFull>},
    {"OrderBookImbalanceTop1", 2, &build_new<OrderBookImbalanceTop1>},
    {"OrderBookImbalanceTopN", 2, &build_new<OrderBookImbalanceTopN, kInt>},
    {"OrderFlowImbalance", 2, &build_new<OrderFlowImbalance, kInt>},
    {"OuHalfLife", 0, &build_new<OuHalfLife, kInt>},
    {"OvernightGap", 0, nullptr},
    {"OvernightIntradayReturn", 0, nullptr},
    {"PainIndex", 0, nullptr},
    {"PairSpreadZScore", 0, &build_new<PairSpreadZScore, kInt, kInt>},
    {"PairwiseBeta", 0, &build_new<PairwiseBeta, kInt>},
    {"ParkinsonVolatility", 0, nullptr},
    {"PearsonCorrelation", 0, &build_new<PearsonCorrelation, kInt>},
    {"PercentAboveMa", 5, &build_new<PercentAboveMa>},
    {"PercentB", 0, &build_new<PercentB, kInt, kNum>},
    {"PercentageTrailingStop", 0, nullptr},
    {"PerpetualPremiumIndex", 4, &build_new<PerpetualPremiumIndex>},
    {"Pgo", 0, &build_new<Pgo, kInt>},
    {"PiercingDarkCloud", 0, nullptr},
    {"Pin", 1, &build_new<Pin, kInt>},
    {"PivotReversal", 0, nullptr},
    {"PlusDi", 0, nullptr},
    {"PlusDm", 0, nullptr},
    {"Pmo", 0, &build_new<Pmo, kInt, kInt>},
    {"PolarizedFractalEfficiency", 0, &build_new<PolarizedFractalEfficiency, kInt, kInt>},
    {"Ppo", 0, &build_new<Ppo, kInt, kInt>},
    {"PpoHistogram", 0, &build_new<PpoHistogram, kInt, kInt, kInt>},
    {"ProfileShape", 0, nullptr},
    {"ProfitFactor", 0, nullptr},
    {"ProjectionBands", 0, &build_new<ProjectionBands, kInt>},
    {"ProjectionOscillator", 0, &build_new<ProjectionOscillator, kInt>},
    {"Psar", 0, nullptr},
    {"Pvi", 0, nullptr},
    {"Qqe", 0, nullptr},
    {"Qstick", 0, &build_new<Qstick, kInt>},
    {"QuartileBands", 0, &build_new<QuartileBands, kInt>},
    {"QuotedSpread", 2, &build_new<QuotedSpread>},
    {"RSquared", 0, &build_new<RSquared, kInt>},
    {"RealizedSpread", 3, &build_new<RealizedSpread, kInt>},
    {"RealizedVolatility", 0, &build_new<RealizedVolatility, kInt>},
    {"RecoveryFactor", 0, nullptr},
    {"RectangleRange", 0, nullptr},
    {"Reflex", 0, nullptr},
    {"RegimeLabel", 0, nullptr},
    {"RelativeStrengthAB", 0, &build_new<RelativeStrengthAB, kInt, kInt>},
    {"RenkoTrailingStop", 0, nullptr},
    {"RickshawMan", 0, nullptr},
    {"RisingThreeMethods", 0, nullptr},
    {"Rmi", 0, &build_new<Rmi, kInt, kInt>},
    {"Roc", 0, &build_new<Roc, kInt>},
    {"Rocp", 0, &build_new<Rocp, kInt>},
    {"Rocr", 0, &build_new<Rocr, kInt>},
    {"Rocr100", 0, &build_new<Rocr100, kInt>},
    {"RogersSatchellVolatility", 0, nullptr},
    {"RollMeasure", 1, &build_new<RollMeasure, kInt>},
    {"RollingCorrelation", 0, &build_new<RollingCorrelation, kInt>},
    {"RollingCovariance", 0, &build_new<RollingCovariance, kInt>},
    {"RollingIqr", 0, &build_new<RollingIqr, kInt>},
    {"RollingMinMaxScaler", 0, &build_new<RollingMinMaxScaler, kInt>},
    {"RollingPercentileRank", 0, &build_new<RollingPercentileRank, kInt>},
    {"RollingQuantile", 0, &build_new<RollingQuantile, kInt, kNum>},
    {"RollingVwap", 0, nullptr},
    {"RoofingFilter", 0, nullptr},
    {"Rsi", 0, &build_new<Rsi, kInt>},
    {"Rsx", 0, &build_new<Rsx, kInt>},
    {"Rvi", 0, &build_new<Rvi, kInt>},
    {"RviVolatility", 0, &build_new<RviVolatility, kInt>},
    {"Rwi", 0, nullptr},
    {"SampleEntropy", 0, &build_new<SampleEntropy, kInt, kInt, kNum>},
    {"SarExt", 0, nullptr},
    {"SeasonalZScore", 0, nullptr},
    {"SeparatingLines", 0, nullptr},
    {"SessionHighLow", 0, nullptr},
    {"SessionRange", 0, nullptr},
    {"SessionVwap", 0, nullptr},
    {"ShannonEntropy", 0, &build_new<ShannonEntropy, kInt, kInt>},
    {"Shark", 0, nullptr},
    {"SharpeRatio", 0, nullptr},
    {"ShootingStar", 0, nullptr},
    {"ShortLine", 0, nullptr},
    {"SignedVolume", 1, &build_new<SignedVolume>},
    {"SineWave", 0, nullptr},
    {"SineWeightedMa", 0, &build_new<SineWeightedMa, kInt>},
    {"SinglePrints", 0, nullptr},
    {"Skewness", 0, &build_new<Skewness, kInt>},
    {"Sma", 0, &build_new<Sma, kInt>},
    {"Smi", 0, &build_new<Smi, kInt, kInt, kInt>},
    {"Smma", 0, &build_new<Smma, kInt>},
    {"SmoothedHeikinAshi", 0, nullptr},
    {"SortinoRatio", 0, nullptr},
    {"SpearmanCorrelation", 0, &build_new<SpearmanCorrelation, kInt>},
    {"SpinningTop", 0, nullptr},
    {"SpreadAr1Coefficient", 0, &build_new<SpreadAr1Coefficient, kInt>},
    {"SpreadBollingerBands", 0, &build_new<SpreadBollingerBands, kInt, kNum>},
    {"SpreadHurst", 0, &build_new<SpreadHurst, kInt>},
    {"StalledPattern", 0, nullptr},
    {"StandardError", 0, &build_new<StandardError, kInt>},
    {"StandardErrorBands", 0, &build_new<StandardErrorBands, kInt, kNum>},
    {"StarcBands", 0, nullptr},
    {"Stc", 0, &build_new<Stc, kInt, kInt, kInt, kNum>},
    {"StdDev", 0, &build_new<StdDev, kInt>},
    {"StepTrailingStop", 0, nullptr},
    {"SterlingRatio", 0, nullptr},
    {"StickSandwich", 0, nullptr},
    {"StochRsi", 0, &build_new<StochRsi, kInt, kInt>},
    {"Stochastic", 0, nullptr},
    {"StochasticCci", 0, &build_new<StochasticCci, kInt>},
    {"SuperSmoother", 0, nullptr},
    {"SuperTrend", 0, nullptr},
    {"T3", 0, &build_new<T3, kInt, kNum>},
    {"TailRatio", 0, nullptr},
    {"TakerBuySellRatio", 4, &build_new<TakerBuySellRatio>},
    {"Takuri", 0, nullptr},
    {"TasukiGap", 0, nullptr},
    {"TdCamouflage", 0, nullptr},
    {"TdClop", 0, nullptr},
    {"TdClopwin", 0, nullptr},
    {"TdCombo", 0, nullptr},
    {"TdCountdown", 0, nullptr},
    {"TdDWave", 0, nullptr},
    {"TdDeMarker", 0, nullptr},
    {"TdDifferential", 0, nullptr},
    {"TdLines", 0, nullptr},
    {"TdMovingAverage", 0, nullptr},
    {"TdOpen", 0, nullptr},
    {"TdPressure", 0, nullptr},
    {"TdPropulsion", 0, nullptr},
    {"TdRangeProjection", 0, nullptr},
    {"TdRei", 0, nullptr},
    {"TdRiskLevel", 0, nullptr},
    {"TdSequential", 0, nullptr},
    {"TdSetup", 0, nullptr},
    {"TdTrap", 0, nullptr},
    {"Tema", 0, &build_new<Tema, kInt>},
    {"TermStructureBasis", 4, &build_new<TermStructureBasis>},
    {"ThreeDrives", 0, nullptr},
    {"ThreeInside", 0, nullptr},
    {"ThreeLineBreak", 0, nullptr},
    {"ThreeLineStrike", 0, nullptr},
    {"ThreeOutside", 0, nullptr},
    {"ThreeSoldiersOrCrows", 0, nullptr},
    {"ThreeStarsInSouth", 0, nullptr},
    {"Thrusting", 0, nullptr},
    {"TickIndex", 5, &build_new<TickIndex>},
    {"Tii", 0, &build_new<Tii, kInt, kInt>},
    {"TimeBasedStop", 0, nullptr},
    {"TowerTopBottom", 0, nullptr},
    {"TpoProfile", 0, nullptr},
    {"TradeImbalance", 1, &build_new<TradeImbalance, kInt>},
    {"TradeSignAutocorrelation", 1, &build_new<TradeSignAutocorrelation, kInt>},
    {"TradeVolumeIndex", 0, nullptr},
    {"TrendLabel", 0, nullptr},
    {"TrendStrengthIndex", 0, &build_new<TrendStrengthIndex, kInt>},
    {"Trendflex", 0, nullptr},
    {"TreynorRatio", 0, &build_new<TreynorRatio, kInt, kNum>},
    {"Triangle", 0, nullptr},
    {"Trima", 0, &build_new<Trima, kInt>},
    {"Trin", 5, &build_new<Trin>},
    {"TripleTopBottom", 0, nullptr},
    {"Tristar", 0, nullptr},
    {"Trix", 0, &build_new<Trix, kInt>},
    {"TrueRange", 0, nullptr},
    {"Tsf", 0, &build_new<Tsf, kInt>},
    {"TsfOscillator", 0, &build_new<TsfOscillator, kInt>},
    {"Tsi", 0, &build_new<Tsi, kInt, kInt>},
    {"Tsv", 0, nullptr},
    {"TtmSqueeze", 0, nullptr},
    {"TtmTrend", 0, &build_new<TtmTrend, kInt>},
    {"TurnOfMonth", 0, nullptr},
    {"Tweezer", 0, nullptr},
    {"TwiggsMoneyFlow", 0, nullptr},
    {"TwoCrows", 0, nullptr},
    {"TypicalPrice", 0, nullptr},
    {"UlcerIndex", 0, nullptr},
    {"UltimateOscillator", 0, &build_new<UltimateOscillator, kInt, kInt, kInt>},
    {"UniqueThreeRiver", 0, nullptr},
    {"UniversalOscillator", 0, nullptr},
    {"UpDownVolumeRatio", 5, &build_new<UpDownVolumeRatio>},
    {"UpsideGapThreeMethods", 0, nullptr},
    {"UpsideGapTwoCrows", 0, nullptr},
    {"UpsidePotentialRatio", 0, nullptr},
    {"ValueArea", 0, nullptr},
    {"ValueAtRisk", 0, nullptr},
    {"Variance", 0, &build_new<Variance, kInt>},
    {"VarianceRatio", 0, &build_new<VarianceRatio, kInt, kInt>},
    {"VerticalHorizontalFilter", 0, &build_new<VerticalHorizontalFilter, kInt>},
    {"Vidya", 0, &build_new<Vidya, kInt, kInt>},
    {"VolatilityCone", 0, nullptr},
    {"VolatilityOfVolatility", 0, &build_new<VolatilityOfVolatility, kInt, kInt>},
    {"VolatilityRatio", 0, nullptr},
    {"VoltyStop", 0, nullptr},
    {"VolumeOscillator", 0, nullptr},
    {"VolumePriceTrend", 0, nullptr},
    {"VolumeProfile", 0, nullptr},
    {"VolumeRsi", 0, nullptr},
    {"VolumeWeightedMacd", 0, nullptr},
    {"VolumeWeightedSr", 0, nullptr},
    {"Vortex", 0, nullptr},
    {"Vpin", 1, &build_new<Vpin, kNum, kInt>},
    {"Vwap", 0, nullptr},
    {"VwapStdDevBands", 0, &build_new<VwapStdDevBands, kNum>},
    {"Vwma", 0, nullptr},
    {"Vzo", 0, nullptr},
    {"Wad", 0, nullptr},
    {"WavePm", 0, nullptr},
    {"WaveTrend", 0, nullptr},
    {"Wedge", 0, nullptr},
    {"WeightedClose", 0, nullptr},
    {"WickRatio", 0, nullptr},
    {"WilliamsR", 0, &build_new<WilliamsR, kInt>},
    {"WinRate", 0, nullptr},
    {"Wma", 0, &build_new<Wma, kInt>},
    {"WoodiePivots", 0, nullptr},
    {"YangZhangVolatility", 0, nullptr},
    {"YoyoExit", 0, nullptr},
    {"ZScore", 0, &build_new<ZScore, kInt>},
    {"ZeroLagMacd", 0, nullptr},
    {"ZigZag", 0, nullptr},
    {"Zlema", 0, &build_new<Zlema, kInt>},
};

static_assert(std::ranges::is_sorted(kRows, {}, &RegistryRow::name), "registry rows must stay sorted");

}  // namespace

std::span<const RegistryRow> registry_rows() { return kRows; }

}  // namespace torvex
