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
#include "indicators/trend/adxr.hpp"
#include "indicators/trend/aroon_oscillator.hpp"
#include "indicators/volatility/atr.hpp"
#include "indicators/trend/atr_trailing_stop.hpp"
#include "indicators/volatility/average_daily_range.hpp"
#include "indicators/volatility/chaikin_volatility.hpp"
#include "indicators/volatility/choppiness_index.hpp"
#include "indicators/trend/directional_movement.hpp"
#include "indicators/trend/hi_lo_activator.hpp"
#include "indicators/volatility/inertia.hpp"
#include "indicators/volatility/mass_index.hpp"
#include "indicators/volatility/natr.hpp"
#include "indicators/profiles/overnight_gap.hpp"
#include "indicators/trend/psar.hpp"
#include "indicators/volatility/range_volatility.hpp"
#include "indicators/trend/sar_ext.hpp"
#include "indicators/profiles/seasonal_z_score.hpp"
#include "indicators/trend/time_based_stop.hpp"
#include "indicators/profiles/turn_of_month.hpp"
#include "indicators/volatility/volatility_ratio.hpp"
#include "indicators/trend/volty_stop.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"
#include "indicators/trend/yoyo_exit.hpp"

namespace torvex {

namespace {

constexpr ParamKind kInt = ParamKind::PositiveInt;
[[maybe_unused]] constexpr ParamKind kNum = ParamKind::Finite;
[[maybe_unused]] constexpr ParamKind kI32 = ParamKind::I32;
[[maybe_unused]] constexpr ParamKind kU32 = ParamKind::U32;

constexpr RegistryRow kRows[] = {
    {"AbandonedBaby", 0, nullptr},
    {"Abcd", 0, nullptr},
    {"AbsoluteBreadthIndex", 5, nullptr},
    {"AccelerationBands", 0, nullptr},
    {"AcceleratorOscillator", 0, nullptr},
    {"AdOscillator", 0, nullptr},
    {"AdVolumeLine", 5, nullptr},
    {"AdaptiveCci", 0, nullptr},
    {"AdaptiveCycle", 0, nullptr},
    {"AdaptiveLaguerreFilter", 0, nullptr},
    {"AdaptiveRsi", 0, &build_new<AdaptiveRsi, kInt>},
    {"Adl", 0, nullptr},
    {"AdvanceBlock", 0, nullptr},
    {"AdvanceDecline", 5, nullptr},
    {"AdvanceDeclineRatio", 5, nullptr},
    {"Adx", 0, nullptr},
    {"Adxr", 0, &build_new<Adxr, kInt>},
    {"Alligator", 0, nullptr},
    {"Alma", 0, &build_new<Alma, kInt, kNum, kNum>},
    {"Alpha", 0, nullptr},
    {"AmihudIlliquidity", 1, nullptr},
    {"AnchoredRsi", 0, nullptr},
    {"AnchoredVwap", 0, nullptr},
    {"AndrewsPitchfork", 0, nullptr},
    {"Apo", 0, &build_new<Apo, kInt, kInt>},
    {"Aroon", 0, nullptr},
    {"AroonOscillator", 0, &build_new<AroonOscillator, kInt>},
    {"Atr", 0, &build_new<Atr, kInt>},
    {"AtrBands", 0, nullptr},
    {"AtrRatchet", 0, nullptr},
    {"AtrTrailingStop", 0, &build_new<AtrTrailingStop, kInt, kNum>},
    {"AutoFib", 0, nullptr},
    {"Autocorrelation", 0, nullptr},
    {"AutocorrelationPeriodogram", 0, nullptr},
    {"AverageDailyRange", 0, &build_new<AverageDailyRange, kInt, kI32>},
    {"AverageDrawdown", 0, nullptr},
    {"AvgPrice", 0, nullptr},
    {"AwesomeOscillator", 0, nullptr},
    {"AwesomeOscillatorHistogram", 0, nullptr},
    {"BalanceOfPower", 0, nullptr},
    {"BandpassFilter", 0, nullptr},
    {"Bat", 0, nullptr},
    {"BeltHold", 0, nullptr},
    {"Beta", 0, nullptr},
    {"BetaNeutralSpread", 0, nullptr},
    {"BetterVolume", 0, nullptr},
    {"BipowerVariation", 0, nullptr},
    {"BodySizePct", 0, nullptr},
    {"BollingerBands", 0, &build_new<BollingerBands, kInt, kNum>},
    {"BollingerBandwidth", 0, &build_new<BollingerBandwidth, kInt, kNum>},
    {"BomarBands", 0, nullptr},
    {"BreadthThrust", 5, nullptr},
    {"Breakaway", 0, nullptr},
    {"BullishPercentIndex", 5, nullptr},
    {"BurkeRatio", 0, nullptr},
    {"Butterfly", 0, nullptr},
    {"CalendarSpread", 4, &build_new<CalendarSpread>},
    {"CalmarRatio", 0, nullptr},
    {"Camarilla", 0, nullptr},
    {"CandleVolume", 0, nullptr},
    {"Cci", 0, nullptr},
    {"CenterOfGravity", 0, nullptr},
    {"CentralPivotRange", 0, nullptr},
    {"Cfo", 0, &build_new<Cfo, kInt>},
    {"ChaikinMoneyFlow", 0, nullptr},
    {"ChaikinOscillator", 0, nullptr},
    {"ChaikinVolatility", 0, &build_new<ChaikinVolatility, kInt, kInt>},
    {"ChandeKrollStop", 0, nullptr},
    {"ChandelierExit", 0, nullptr},
    {"ChoppinessIndex", 0, &build_new<ChoppinessIndex, kInt>},
    {"ClassicPivots", 0, nullptr},
    {"CloseVsOpen", 0, nullptr},
    {"ClosingMarubozu", 0, nullptr},
    {"Cmo", 0, &build_new<Cmo, kInt>},
    {"CoefficientOfVariation", 0, nullptr},
    {"Cointegration", 0, nullptr},
    {"CommonSenseRatio", 0, nullptr},
    {"CompositeProfile", 0, nullptr},
    {"ConcealingBabySwallow", 0, nullptr},
    {"ConditionalValueAtRisk", 0, nullptr},
    {"ConnorsRsi", 0, &build_new<ConnorsRsi, kInt, kInt, kInt>},
    {"Coppock", 0, &build_new<Coppock, kInt, kInt, kInt>},
    {"CorrelationTrendIndicator", 0, nullptr},
    {"Counterattack", 0, nullptr},
    {"Crab", 0, nullptr},
    {"CumulativeVolumeDelta", 1, nullptr},
    {"CumulativeVolumeIndex", 5, nullptr},
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
    {"DetrendedStdDev", 0, nullptr},
    {"DisparityIndex", 0, &build_new<DisparityIndex, kInt>},
    {"DistanceSsd", 0, nullptr},
    {"Doji", 0, nullptr},
    {"DojiStar", 0, nullptr},
    {"Donchian", 0, nullptr},
    {"DonchianStop", 0, nullptr},
    {"DoubleBollinger", 0, &build_new<DoubleBollinger, kInt, kNum, kNum>},
    {"DoubleTopBottom", 0, nullptr},
    {"DownsideGapThreeMethods", 0, nullptr},
    {"Dpo", 0, &build_new<Dpo, kInt>},
    {"DragonflyDoji", 0, nullptr},
    {"DumplingTop", 0, nullptr},
    {"Dx", 0, &build_new<Dx, kInt>},
    {"DynamicMomentumIndex", 0, &build_new<DynamicMomentumIndex, kInt>},
    {"EaseOfMovement", 0, nullptr},
    {"EffectiveSpread", 3, nullptr},
    {"EhlersStochastic", 0, nullptr},
    {"Ehma", 0, &build_new<Ehma, kInt>},
    {"ElderImpulse", 0, &build_new<ElderImpulse, kInt, kInt, kInt, kInt>},
    {"ElderRay", 0, nullptr},
    {"ElderSafeZone", 0, nullptr},
    {"Ema", 0, &build_new<Ema, kInt>},
    {"EmpiricalModeDecomposition", 0, nullptr},
    {"Engulfing", 0, nullptr},
    {"Equivolume", 0, nullptr},
    {"EstimatedLeverageRatio", 0, &build_new<EstimatedLeverageRatio>},
    {"EvenBetterSinewave", 0, nullptr},
    {"EveningDojiStar", 0, nullptr},
    {"Evwma", 0, nullptr},
    {"EwmaVolatility", 0, nullptr},
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
    {"FractalChaosBands", 0, nullptr},
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
    {"Garch11", 0, nullptr},
    {"GarmanKlassVolatility", 0, &build_new<GarmanKlassVolatility, kInt, kInt>},
    {"Gartley", 0, nullptr},
    {"GatorOscillator", 0, nullptr},
    {"GeneralizedDema", 0, &build_new<GeneralizedDema, kInt, kNum>},
    {"GeometricMa", 0, &build_new<GeometricMa, kInt>},
    {"GoldenPocket", 0, nullptr},
    {"GrangerCausality", 0, nullptr},
    {"GravestoneDoji", 0, nullptr},
    {"Hammer", 0, nullptr},
    {"HangingMan", 0, nullptr},
    {"Harami", 0, nullptr},
    {"HaramiCross", 0, nullptr},
    {"HasbrouckInformationShare", 0, nullptr},
    {"HeadAndShoulders", 0, nullptr},
    {"HeikinAshi", 0, nullptr},
    {"HeikinAshiOscillator", 0, nullptr},
    {"HiLoActivator", 0, &build_new<HiLoActivator, kInt>},
    {"HighLowIndex", 5, nullptr},
    {"HighLowRange", 0, nullptr},
    {"HighLowVolumeNodes", 0, nullptr},
    {"HighWave", 0, nullptr},
    {"HighpassFilter", 0, nullptr},
    {"Hikkake", 0, nullptr},
    {"HikkakeModified", 0, nullptr},
    {"HilbertDominantCycle", 0, nullptr},
    {"HistoricalVolatility", 0, nullptr},
    {"Hma", 0, &build_new<Hma, kInt>},
    {"HoltWinters", 0, &build_new<HoltWinters, kNum, kNum>},
    {"HomingPigeon", 0, nullptr},
    {"HtDcPhase", 0, nullptr},
    {"HtPhasor", 0, nullptr},
    {"HtTrendMode", 0, nullptr},
    {"HurstChannel", 0, nullptr},
    {"HurstExponent", 0, nullptr},
    {"IdenticalThreeCrows", 0, nullptr},
    {"InNeck", 0, nullptr},
    {"Inertia", 0, &build_new<Inertia, kInt, kInt>},
    {"InformationRatio", 0, nullptr},
    {"InitialBalance", 0, nullptr},
    {"InstantaneousTrendline", 0, nullptr},
    {"IntradayIntensity", 0, nullptr},
    {"IntradayMomentumIndex", 0, nullptr},
    {"InverseFisherTransform", 0, nullptr},
    {"InvertedHammer", 0, nullptr},
    {"JarqueBera", 0, nullptr},
    {"Jma", 0, &build_new<Jma, kInt, kNum, kU32>},
    {"JumpIndicator", 0, nullptr},
    {"KRatio", 0, nullptr},
    {"KalmanHedgeRatio", 0, nullptr},
    {"Kama", 0, &build_new<Kama, kInt, kInt, kInt>},
    {"KaseDevStop", 0, nullptr},
    {"KasePermissionStochastic", 0, nullptr},
    {"KellyCriterion", 0, nullptr},
    {"Keltner", 0, nullptr},
    {"KendallTau", 0, nullptr},
    {"Kicking", 0, nullptr},
    {"KickingByLength", 0, nullptr},
    {"Kst", 0, nullptr},
    {"Kurtosis", 0, nullptr},
    {"Kvo", 0, nullptr},
    {"KylesLambda", 3, nullptr},
    {"LadderBottom", 0, nullptr},
    {"LaguerreRsi", 0, nullptr},
    {"LeadLagCrossCorrelation", 0, nullptr},
    {"LinRegAngle", 0, nullptr},
    {"LinRegChannel", 0, nullptr},
    {"LinRegIntercept", 0, nullptr},
    {"LinRegSlope", 0, nullptr},
    {"LinearRegression", 0, nullptr},
    {"LiquidationFeatures", 4, &build_new<LiquidationFeatures>},
    {"LogReturn", 0, nullptr},
    {"LongLeggedDoji", 0, nullptr},
    {"LongLine", 0, nullptr},
    {"LongShortRatio", 4, &build_new<LongShortRatio>},
    {"M2Measure", 0, nullptr},
    {"MaEnvelope", 0, nullptr},
    {"MacdFix", 0, nullptr},
    {"MacdHistogram", 0, &build_new<MacdHistogram, kInt, kInt, kInt>},
    {"MacdIndicator", 0, nullptr},
    {"Mama", 0, nullptr},
    {"MarketFacilitationIndex", 0, nullptr},
    {"MartinRatio", 0, nullptr},
    {"Marubozu", 0, nullptr},
    {"MassIndex", 0, &build_new<MassIndex, kInt, kInt>},
    {"MatHold", 0, nullptr},
    {"MatchingLow", 0, nullptr},
    {"MaxDrawdown", 0, nullptr},
    {"McClellanOscillator", 5, nullptr},
    {"McClellanSummationIndex", 5, nullptr},
    {"McGinleyDynamic", 0, &build_new<McGinleyDynamic, kInt>},
    {"MedianAbsoluteDeviation", 0, nullptr},
    {"MedianChannel", 0, nullptr},
    {"MedianMa", 0, &build_new<MedianMa, kInt>},
    {"MedianPrice", 0, nullptr},
    {"Mfi", 0, nullptr},
    {"Microprice", 2, &build_new<Microprice>},
    {"MidPoint", 0, &build_new<MidPoint, kInt>},
    {"MidPrice", 0, nullptr},
    {"MinusDi", 0, &build_new<MinusDi, kInt>},
    {"MinusDm", 0, &build_new<MinusDm, kInt>},
    {"ModifiedMaStop", 0, nullptr},
    {"Mom", 0, &build_new<Mom, kInt>},
    {"MorningDojiStar", 0, nullptr},
    {"MorningEveningStar", 0, nullptr},
    {"MurreyMathLines", 0, nullptr},
    {"NakedPoc", 0, nullptr},
    {"Natr", 0, &build_new<Natr, kInt>},
    {"NewHighsNewLows", 5, nullptr},
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
    {"OuHalfLife", 0, nullptr},
    {"OvernightGap", 0, &build_new<OvernightGap, kI32>},
    {"OvernightIntradayReturn", 0, nullptr},
    {"PainIndex", 0, nullptr},
    {"PairSpreadZScore", 0, nullptr},
    {"PairwiseBeta", 0, nullptr},
    {"ParkinsonVolatility", 0, &build_new<ParkinsonVolatility, kInt, kInt>},
    {"PearsonCorrelation", 0, nullptr},
    {"PercentAboveMa", 5, nullptr},
    {"PercentB", 0, &build_new<PercentB, kInt, kNum>},
    {"PercentageTrailingStop", 0, nullptr},
    {"PerpetualPremiumIndex", 4, &build_new<PerpetualPremiumIndex>},
    {"Pgo", 0, nullptr},
    {"PiercingDarkCloud", 0, nullptr},
    {"Pin", 1, nullptr},
    {"PivotReversal", 0, nullptr},
    {"PlusDi", 0, &build_new<PlusDi, kInt>},
    {"PlusDm", 0, &build_new<PlusDm, kInt>},
    {"Pmo", 0, &build_new<Pmo, kInt, kInt>},
    {"PolarizedFractalEfficiency", 0, &build_new<PolarizedFractalEfficiency, kInt, kInt>},
    {"Ppo", 0, &build_new<Ppo, kInt, kInt>},
    {"PpoHistogram", 0, &build_new<PpoHistogram, kInt, kInt, kInt>},
    {"ProfileShape", 0, nullptr},
    {"ProfitFactor", 0, nullptr},
    {"ProjectionBands", 0, nullptr},
    {"ProjectionOscillator", 0, nullptr},
    {"Psar", 0, &build_new<Psar, kNum, kNum, kNum>},
    {"Pvi", 0, nullptr},
    {"Qqe", 0, nullptr},
    {"Qstick", 0, nullptr},
    {"QuartileBands", 0, nullptr},
    {"QuotedSpread", 2, &build_new<QuotedSpread>},
    {"RSquared", 0, nullptr},
    {"RealizedSpread", 3, nullptr},
    {"RealizedVolatility", 0, nullptr},
    {"RecoveryFactor", 0, nullptr},
    {"RectangleRange", 0, nullptr},
    {"Reflex", 0, nullptr},
    {"RegimeLabel", 0, nullptr},
    {"RelativeStrengthAB", 0, nullptr},
    {"RenkoTrailingStop", 0, nullptr},
    {"RickshawMan", 0, nullptr},
    {"RisingThreeMethods", 0, nullptr},
    {"Rmi", 0, &build_new<Rmi, kInt, kInt>},
    {"Roc", 0, &build_new<Roc, kInt>},
    {"Rocp", 0, &build_new<Rocp, kInt>},
    {"Rocr", 0, &build_new<Rocr, kInt>},
    {"Rocr100", 0, &build_new<Rocr100, kInt>},
    {"RogersSatchellVolatility", 0, &build_new<RogersSatchellVolatility, kInt, kInt>},
    {"RollMeasure", 1, nullptr},
    {"RollingCorrelation", 0, nullptr},
    {"RollingCovariance", 0, nullptr},
    {"RollingIqr", 0, nullptr},
    {"RollingMinMaxScaler", 0, nullptr},
    {"RollingPercentileRank", 0, nullptr},
    {"RollingQuantile", 0, nullptr},
    {"RollingVwap", 0, nullptr},
    {"RoofingFilter", 0, nullptr},
    {"Rsi", 0, &build_new<Rsi, kInt>},
    {"Rsx", 0, &build_new<Rsx, kInt>},
    {"Rvi", 0, nullptr},
    {"RviVolatility", 0, nullptr},
    {"Rwi", 0, nullptr},
    {"SampleEntropy", 0, nullptr},
    {"SarExt", 0, &build_new<SarExt, kNum, kNum, kNum, kNum, kNum, kNum, kNum, kNum>},
    {"SeasonalZScore", 0, &build_new<SeasonalZScore, kI32>},
    {"SeparatingLines", 0, nullptr},
    {"SessionHighLow", 0, nullptr},
    {"SessionRange", 0, nullptr},
    {"SessionVwap", 0, nullptr},
    {"ShannonEntropy", 0, nullptr},
    {"Shark", 0, nullptr},
    {"SharpeRatio", 0, nullptr},
    {"ShootingStar", 0, nullptr},
    {"ShortLine", 0, nullptr},
    {"SignedVolume", 1, nullptr},
    {"SineWave", 0, nullptr},
    {"SineWeightedMa", 0, &build_new<SineWeightedMa, kInt>},
    {"SinglePrints", 0, nullptr},
    {"Skewness", 0, nullptr},
    {"Sma", 0, &build_new<Sma, kInt>},
    {"Smi", 0, nullptr},
    {"Smma", 0, &build_new<Smma, kInt>},
    {"SmoothedHeikinAshi", 0, nullptr},
    {"SortinoRatio", 0, nullptr},
    {"SpearmanCorrelation", 0, nullptr},
    {"SpinningTop", 0, nullptr},
    {"SpreadAr1Coefficient", 0, nullptr},
    {"SpreadBollingerBands", 0, nullptr},
    {"SpreadHurst", 0, nullptr},
    {"StalledPattern", 0, nullptr},
    {"StandardError", 0, &build_new<StandardError, kInt>},
    {"StandardErrorBands", 0, nullptr},
    {"StarcBands", 0, nullptr},
    {"Stc", 0, &build_new<Stc, kInt, kInt, kInt, kNum>},
    {"StdDev", 0, &build_new<StdDev, kInt>},
    {"StepTrailingStop", 0, nullptr},
    {"SterlingRatio", 0, nullptr},
    {"StickSandwich", 0, nullptr},
    {"StochRsi", 0, &build_new<StochRsi, kInt, kInt>},
    {"Stochastic", 0, nullptr},
    {"StochasticCci", 0, nullptr},
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
    {"TickIndex", 5, nullptr},
    {"Tii", 0, &build_new<Tii, kInt, kInt>},
    {"TimeBasedStop", 0, &build_new<TimeBasedStop, kInt>},
    {"TowerTopBottom", 0, nullptr},
    {"TpoProfile", 0, nullptr},
    {"TradeImbalance", 1, nullptr},
    {"TradeSignAutocorrelation", 1, nullptr},
    {"TradeVolumeIndex", 0, nullptr},
    {"TrendLabel", 0, nullptr},
    {"TrendStrengthIndex", 0, &build_new<TrendStrengthIndex, kInt>},
    {"Trendflex", 0, nullptr},
    {"TreynorRatio", 0, nullptr},
    {"Triangle", 0, nullptr},
    {"Trima", 0, &build_new<Trima, kInt>},
    {"Trin", 5, nullptr},
    {"TripleTopBottom", 0, nullptr},
    {"Tristar", 0, nullptr},
    {"Trix", 0, &build_new<Trix, kInt>},
    {"TrueRange", 0, nullptr},
    {"Tsf", 0, &build_new<Tsf, kInt>},
    {"TsfOscillator", 0, &build_new<TsfOscillator, kInt>},
    {"Tsi", 0, &build_new<Tsi, kInt, kInt>},
    {"Tsv", 0, nullptr},
    {"TtmSqueeze", 0, nullptr},
    {"TtmTrend", 0, nullptr},
    {"TurnOfMonth", 0, &build_new<TurnOfMonth, kU32, kU32, kI32>},
    {"Tweezer", 0, nullptr},
    {"TwiggsMoneyFlow", 0, nullptr},
    {"TwoCrows", 0, nullptr},
    {"TypicalPrice", 0, nullptr},
    {"UlcerIndex", 0, nullptr},
    {"UltimateOscillator", 0, nullptr},
    {"UniqueThreeRiver", 0, nullptr},
    {"UniversalOscillator", 0, nullptr},
    {"UpDownVolumeRatio", 5, nullptr},
    {"UpsideGapThreeMethods", 0, nullptr},
    {"UpsideGapTwoCrows", 0, nullptr},
    {"UpsidePotentialRatio", 0, nullptr},
    {"ValueArea", 0, nullptr},
    {"ValueAtRisk", 0, nullptr},
    {"Variance", 0, &build_new<Variance, kInt>},
    {"VarianceRatio", 0, nullptr},
    {"VerticalHorizontalFilter", 0, &build_new<VerticalHorizontalFilter, kInt>},
    {"Vidya", 0, &build_new<Vidya, kInt, kInt>},
    {"VolatilityCone", 0, nullptr},
    {"VolatilityOfVolatility", 0, nullptr},
    {"VolatilityRatio", 0, &build_new<VolatilityRatio, kInt>},
    {"VoltyStop", 0, &build_new<VoltyStop, kInt, kNum>},
    {"VolumeOscillator", 0, nullptr},
    {"VolumePriceTrend", 0, nullptr},
    {"VolumeProfile", 0, nullptr},
    {"VolumeRsi", 0, nullptr},
    {"VolumeWeightedMacd", 0, nullptr},
    {"VolumeWeightedSr", 0, nullptr},
    {"Vortex", 0, nullptr},
    {"Vpin", 1, nullptr},
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
    {"WilliamsR", 0, nullptr},
    {"WinRate", 0, nullptr},
    {"Wma", 0, &build_new<Wma, kInt>},
    {"WoodiePivots", 0, nullptr},
    {"YangZhangVolatility", 0, &build_new<YangZhangVolatility, kInt, kInt>},
    {"YoyoExit", 0, &build_new<YoyoExit, kInt, kNum>},
    {"ZScore", 0, &build_new<ZScore, kInt>},
    {"ZeroLagMacd", 0, nullptr},
    {"ZigZag", 0, nullptr},
    {"Zlema", 0, &build_new<Zlema, kInt>},
};

static_assert(std::ranges::is_sorted(kRows, {}, &RegistryRow::name), "registry rows must stay sorted");

}  // namespace

std::span<const RegistryRow> registry_rows() { return kRows; }

}  // namespace torvex
