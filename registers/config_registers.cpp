#include "registers/entries.h"

// The instrument's configuration, 4097..4184: the registers CONFIG1 shows, with their lists.

namespace {

using namespace entries;

// clang-format off

// The main and auxiliary inputs' type lists (4109, 4120) share one set of texts.
// Entry 8 has no colon, and code 15 reads 0Ω4000 in the list but 0Ω5000 on the label: the
// instrument's screens have them so. Lists the same for two registers are written once.
constexpr QStringView kInputTypeEntries[] = {
    u"0:K(-200-1300)",
    u"1:S(0-1700) ",
    u"2:R(0-1700) ",
    u"3:T(-200-400) ",
    u"4:E(0-1000) ",
    u"5:J(0-1200) ",
    u"6:B(400-1800) ",
    u"7:N(0-1300) ",
    u"8 WRe325(0-2300)",
    u"9:WRe526(0-2300) ",
    u"10:Cu50(-50-150)",
    u"11:PT100(-200-850) ",
    u"12:PT1000(-200-850) ",
    u"13:0Ω80(0～80Ω) ",
    u"14:0Ω400(0～400Ω) ",
    u"15:0Ω4000(0～4000Ω) ",
    u"16:0MA10(0～10MA) ",
    u"17:0MA20(0～20MA) ",
    u"18:4MA20(4-20MA) ",
    u"19:0MV20(0-20MV) ",
    u"20:0MV100(0-100MV)",
    u"21:正负20MV(-20-+20MV) ",
    u"22:正负100MV(-100-+100MV)",
    u"23:0V1(0-1V) ",
    u"24:0V2(0-2V) ",
    u"25:0V5(0-5V) ",
    u"26:1V5(1-5V) ",
    u"27:0V10(0-+10V) ",
    u"28:2V10(2-+10V) ",
    u"29:正负5V(-5-+5V) ",
    u"30:正负10V(-10-+10V) ",
};
constexpr QStringView kInputTypeShown[] = {
    u"K(-200~1300)",
    u"S(0~1700)",
    u"R(0~1700)",
    u"T(-200~400)",
    u"E(0~1000)",
    u"J(0~1200)",
    u"B(400~1800)",
    u"N(0~1300)",
    u"WRe325(0~2300)",
    u"WRe526(0~2300)",
    u"Cu50(-50-150)",
    u"PT100(-200-850)",
    u"PT1000(-200-850)   ",
    u" 0Ω80(0～80Ω) ",
    u" 0Ω400(0～400Ω)",
    u" 0Ω5000(0～5000Ω)",
    u" 0MA10(0～10MA)",
    u" 0MA20(0～20MA)",
    u" 4MA20(4-20MA)",
    u" 0MV20(0-20MV)",
    u" 0MV100(0-100MV)",
    u" 正负20MV(-20-+20MV)",
    u" 正负100MV(-100-+100MV)",
    u"  0V1(0-1V)",
    u" 0V2(0-2V)",
    u" 0V5(0-5V)",
    u" 1V5(1-5V)",
    u" 0V10(0-+10V)",
    u" 2V10(2-+10V)",
    u" 正负5V(-5-+5V)",
    u" 正负10V(-10-+10V)",
};

constexpr QStringView kControlTypeEntries[] = {
    u"0:PID ",
    u"1:开关 ",
    u"2:无反馈阀门 ",
    u"3:有反馈阀门 ",
};
constexpr QStringView kControlTypeShown[] = {u"PID控制", u"位式控制", u"无反馈阀门", u"有反馈阀门"};

constexpr QStringView kPanelManualEntries[] = {u"0:面板手动禁止 ", u"1:面板手动允许 "};
constexpr QStringView kPanelManualShown[] = {u"禁止面板手自动", u"允许面板手自动"};

constexpr QStringView kPanelProgramEntries[] = {u"0:面板SV1/PRG禁止 ", u"1:面板SV1/PRG允许 "};
constexpr QStringView kPanelProgramShown[] = {u"禁止面板SV/PRG切换", u"允许面板SV/PRG切换"};

constexpr QStringView kPanelSvEntries[] = {u"0:面板SV1/SV2禁止 ", u"1:面板SV1/SV2允许 "};
constexpr QStringView kPanelSvShown[] = {u"禁止面板SV1/SV2切换", u"允许面板SV1/SV2切换"};

constexpr QStringView kProgramModeEntries[] = {u"0:单点SV运行 ", u"1:程序段模式 "};
constexpr QStringView kProgramModeShown[] = {u"单点SV1/SV2模式", u"程序段模式"};

constexpr QStringView kUnitEntries[] = {u"0:摄氏度 ", u"1:华氏度 ", u"2:绝对温度 "};
constexpr QStringView kUnitShown[] = {u"摄氏度", u"华氏度", u"绝对温度"};

constexpr QStringView kControlModeEntries[] = {
    u"0:单输出 ",
    u"1:加热制冷 ",
    u"2:变送模式 ",
    u"3:双回路 ",
};
constexpr QStringView kControlModeShown[] = {u"单输出", u"双输出", u"通道2变送", u"双回路"};

constexpr QStringView kPidTypeEntries[] = {u"0:经典PID ", u"1:PV微分PID ", u"2:无超调PID "};
constexpr QStringView kPidTypeShown[] = {u"经典PID", u"PV微分PID", u"无超调PID"};

constexpr QStringView kDecimalPointEntries[] = {
    u"0:XXXXX ",
    u"1:XXXX.X ",
    u"2:XXX.XX ",
    u"3:XX.XXX ",
    u"4:X.XXXX ",
};
constexpr QStringView kDecimalPointShown[] = {u"XXXXX", u"XXXX.X", u"XXX.XX", u"XX.XXX", u"X.XXXX"};

constexpr QStringView kMainInputFaultEntries[] = {u"0:转预置输出值", u"1:维持开路输出 "};
constexpr QStringView kMainInputFaultShown[] = {u"异常转预置", u"保持开路输出"};

constexpr QStringView kColdJunctionEntries[] = {
    u"0:内部补偿",
    u"1:0度补偿 ",
    u"2:45度补偿 ",
    u"3:50度补偿",
};
constexpr QStringView kColdJunctionShown[] = {u"内部补偿", u"0度补偿", u"45度补偿", u"50度补偿"};

constexpr QStringView kCorrectionEntries[] = {u"0:禁止 ", u"1:允许 "};
constexpr QStringView kCorrectionShown[] = {u"禁止", u"允许"};

constexpr QStringView kAuxFunctionEntries[] = {
    u"0:禁止 ",
    u"1:加热器断线报警 ",
    u"2:阀位反馈 ",
    u"3:远程SV ",
    u"4:双输入高低温切换 ",
    u"5:氧探头输入 ",
    u"6:湿度输入 ",
};
constexpr QStringView kAuxFunctionShown[] = {
    u"禁止使用",
    u"加热器断线测量",
    u"阀位反馈",
    u"远程SV设定",
    u"双传感高低切换",
    u"氧传感器输入",
    u"湿度输入",
};

constexpr QStringView kAuxInputFaultEntries[] = {u"0:转输出预置值 ", u"1:维持开路输出 "};
constexpr QStringView kAuxInputFaultShown[] = {u"异常转预置", u"保持开路输出"};

constexpr QStringView kDigitalInputEntries[] = {
    u"0:无 ",
    u"1:手动/自动 ",
    u"2:遥控设定 ",
    u"3:自整定 ",
    u"4:加键 ",
    u"5:减键 ",
    u"6:运行程序 ",
    u"7:暂停 ",
    u"8:停止 ",
    u"9:跳步 ",
    u"10:待机缓启动（闭合待机、断开缓启动） ",
    u"11:切换SV(闭合SV2/断开SV1) ",
};
constexpr QStringView kDigitalInputShown[] = {
    u"无",
    u"手动自动",
    u"遥控设定",
    u"自整定",
    u"作为加键",
    u"作为减键",
    u"运行程序",
    u"暂停",
    u"停止",
    u"转跳步",
    u"待机缓启动（闭合待机、断开缓启动）",
    u"切换SV(闭合SV2/断开SV1)",
};

constexpr QStringView kOutputModeEntries[] = {
    u"0:线性电流输出 ",
    u"1:继电器 ",
    u"2:晶体管 ",
    u"3:可控硅 ",
};
constexpr QStringView kOutputModeShown[] = {u"线性电流", u"继电器", u"晶体管", u"可控硅"};

constexpr QStringView kDirectionEntries[] = {u"0:反作用 ", u"1:正作用 "};
constexpr QStringView kDirectionShown[] = {u"反作用", u"正作用"};

constexpr QStringView kSignalTypeEntries[] = {u"0:4MA20 ", u"1:0MA10 ", u"2:0MA20 "};
constexpr QStringView kSignalTypeShown[] = {u"4MA20", u"0MA10", u"0MA20"};

constexpr QStringView kTransmittedEntries[] = {
    u"0:变送测量值 ",
    u"1:变送设定值 ",
    u"2:变送输出值 ",
    u"3:变送偏差值 ",
};
constexpr QStringView kTransmittedShown[] = {
    u"变送测量值",
    u"变送设定值",
    u"变送输出值",
    u"变送偏差值",
};

constexpr QStringView kBaudRateEntries[] = {u"0:4800BPS ", u"1:9600BPS ", u"2:19200BPS "};
constexpr QStringView kBaudRateShown[] = {u"4800BPS", u"9600BPS", u"19200BPS"};

constexpr QStringView kParityEntries[] = {u"0:无校验 ", u"1:奇校验 ", u"2:偶校验 "};
constexpr QStringView kParityShown[] = {u"无校验", u"奇校验", u"偶校验"};

constexpr QStringView kAlarm1TypeEntries[] = {
    u"0:无 ",
    u"1:上限报警 ",
    u"2:下限报警 ",
    u"3:上偏差报警 ",
    u"4:下偏差报警 ",
    u"5:偏差带报警 ",
    u"6:加热器断线报警 ",
    u"7:程序段运行闭合 ",
};
constexpr QStringView kAlarm1TypeShown[] = {
    u"无",
    u"上限报警1",
    u"下限报警1",
    u"上偏差报警1",
    u"下偏差报警1",
    u"偏差带报警1",
    u"加热器断线报警1",
    u"段闭合指示1",
};

constexpr QStringView kAlarm2TypeEntries[] = {
    u"0:无 ",
    u"1:上限报警 ",
    u"2:下限报警 ",
    u"3:上偏差报警 ",
    u"4:下偏差报警 ",
    u"5:偏差带报警 ",
    u"6:加热器断线报警 ",
    u"7:程序段运行闭合 ",
};
constexpr QStringView kAlarm2TypeShown[] = {
    u"无",
    u"上限报警2",
    u"下限报警2",
    u"上偏差报警2",
    u"下偏差报警2",
    u"偏差带报警2",
    u"加热器断线报警2",
    u"段闭合指示2",
};

constexpr QStringView kPowerOnAlarmEntries[] = {u"0:上电报警禁止 ", u"1:上电报警允许 "};
constexpr QStringView kPowerOnAlarmShown[] = {u"禁止", u"允许上电报警解除"};

constexpr OptionTexts kControlType{kControlTypeEntries, kControlTypeShown};
constexpr OptionTexts kPanelManual{kPanelManualEntries, kPanelManualShown};
constexpr OptionTexts kPanelProgram{kPanelProgramEntries, kPanelProgramShown};
constexpr OptionTexts kPanelSv{kPanelSvEntries, kPanelSvShown};
constexpr OptionTexts kProgramMode{kProgramModeEntries, kProgramModeShown};
constexpr OptionTexts kUnit{kUnitEntries, kUnitShown};
constexpr OptionTexts kControlMode{kControlModeEntries, kControlModeShown};
constexpr OptionTexts kPidType{kPidTypeEntries, kPidTypeShown};
constexpr OptionTexts kInputType{kInputTypeEntries, kInputTypeShown};
constexpr OptionTexts kDecimalPoint{kDecimalPointEntries, kDecimalPointShown};
constexpr OptionTexts kMainInputFault{kMainInputFaultEntries, kMainInputFaultShown};
constexpr OptionTexts kColdJunction{kColdJunctionEntries, kColdJunctionShown};
constexpr OptionTexts kCorrection{kCorrectionEntries, kCorrectionShown};
constexpr OptionTexts kAuxFunction{kAuxFunctionEntries, kAuxFunctionShown};
constexpr OptionTexts kAuxInputFault{kAuxInputFaultEntries, kAuxInputFaultShown};
constexpr OptionTexts kDigitalInput{kDigitalInputEntries, kDigitalInputShown};
constexpr OptionTexts kOutputMode{kOutputModeEntries, kOutputModeShown};
constexpr OptionTexts kDirection{kDirectionEntries, kDirectionShown};
constexpr OptionTexts kSignalType{kSignalTypeEntries, kSignalTypeShown};
constexpr OptionTexts kTransmitted{kTransmittedEntries, kTransmittedShown};
constexpr OptionTexts kBaudRate{kBaudRateEntries, kBaudRateShown};
constexpr OptionTexts kParity{kParityEntries, kParityShown};
constexpr OptionTexts kAlarm1Type{kAlarm1TypeEntries, kAlarm1TypeShown};
constexpr OptionTexts kAlarm2Type{kAlarm2TypeEntries, kAlarm2TypeShown};
constexpr OptionTexts kPowerOnAlarm{kPowerOnAlarmEntries, kPowerOnAlarmShown};

constexpr RegisterInfo kConfiguration[] = {
    option(4097, u"控制类型设定", u"0-PID,1-位式控制，2-无反馈阀门，3-有反馈阀门", kControlType, 0, 3),
    option(4098, u"面板自动/手动使能", u"0-禁止，1-允许", kPanelManual, 0, 1),
    option(4099, u"面板SV1/PRG使能", u"0-禁止，1-允许", kPanelProgram, 0, 1),
    option(4100, u"面板SV1/SV2使能", u"0-禁止，1-允许", kPanelSv, 0, 1),
    option(4101, u"单点程序选择", u"0-无程序单点模式，1-程序段模式", kProgramMode, 0, 1),
    option(4102, u"单位转换", u"0-摄氏度，1-华氏度，2-绝对温度", kUnit, 0, 2),
    tenths(4103, u"数字滤波时间", u"0.1-100.0 S", 1, 1000),
    option(4104, u"控制方式", u"0-单输出，1-双输出（加热制冷），2-变送,3-双回路", kControlMode, 0, 3),
    option(4105, u"PIDC", u"0-经典PID ,1-PV微分PID,2-无超调PID (适用于单点或者曲线不剧烈变化场合）", kPidType, 0, 2),
    integer(4106, u"设定值上限SVHI", u"-10000~30000", -10000, 30000),
    integer(4107, u"设定值下限SVLO", u"-10000~30000", -10000, 30000),
    option(4109, u"输入类型设定", u"0-28种传感器输入类型", kInputType, 0, 30),
    integer(4110, u"显示上限", u"-10000~ 30000", -10000, 30000),
    integer(4111, u"显示下限", u"-10000~ 30000", -10000, 30000),
    option(4112, u"小数点", u"0-XXXXX, 1-XXXX.X, 2-XXX.XX, 3-XX.XXX, 4-X.XXXX", kDecimalPoint, 0, 4),
    option(4113, u"输入异常处理处理", u"0-转输出预置值，1-保持开路输出", kMainInputFault, 0, 1),
    tenths(4114, u"输入异常预置值", u"0.0% - 100.0%", 0, 1000),
    integer(4115, u"修正偏移量", u"-500 ~ 500 LSB", -500, 500),
    option(4116, u"冷端补偿类型", u"0-内部补偿，1-0摄氏度，2-45摄氏度，3-50摄氏度", kColdJunction, 0, 3),
    option(4117, u"输入多点曲线修正", u"0-禁止， 1-允许主输入曲线修正", kCorrection, 0, 1),
    option(4119, u"辅助通道功能", u"0-禁止，1-加热断线报警，2-阀位反馈，3-远程SV设定，4-双输入高低温切换，5-碳控氧探头输入", kAuxFunction, 0, 6),
    option(4120, u"输入类型设定", u"0-28种传感器输入类型", kInputType, 0, 30),
    integer(4121, u"显示上限", u"-10000~ 30000", -10000, 30000),
    integer(4122, u"显示下限", u"-10000~ 30000", -10000, 30000),
    option(4123, u"小数点", u"0-XXXXX, 1-XXXX.X, 2-XXX.XX, 3-XX.XXX, 4-X.XXXX", kDecimalPoint, 0, 4),
    option(4124, u"输入异常处理", u"0-转输出预置值，1-保持开路输出", kAuxInputFault, 0, 1),
    tenths(4125, u"输入异常预置值", u"0.0% - 100.0%", 0, 1000),
    integer(4126, u"修正偏移量", u"-500 ~ 500 LSB", -500, 500),
    integer(4129, u"传感器上切换点", u"-10000~ 30000", -10000, 30000),
    integer(4130, u"传感器下切换点", u"-10000~ 30000", -10000, 30000),
    option(4133, u"开关量输入1功能选择", u"0-无，1-手自动，2-遥控设定，3-自整定，4-作为加键，5-作为减键，6-运行程序，7-暂停，8-停止，9-跳步", kDigitalInput, 0, 11),
    option(4134, u"开关量输入2功能选择", {}, kDigitalInput, 0, 11),
    integer(4135, u"待机缓启动时间", {}),
    option(4137, u"输出方式设定", u"0-线性电流，1-继电器，2-晶体管，3-可控硅", kOutputMode, 0, 3),
    option(4138, u"输出作用方向", u"0-加热（反作用），1-制冷（正作用）", kDirection, 0, 1),
    option(4139, u"输出信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", kSignalType, 0, 2),
    tenths(4140, u"输出上限", u"0.0% ~ 100.0%", 0, 1000),
    tenths(4141, u"输出下限", u"0.0% ~ 100.0%", 0, 1000),
    option(4145, u"输出方式设定", u"0-线性电流，1-继电器，2-晶体管，3-可控硅", kOutputMode, 0, 3),
    option(4146, u"输出作用方向", u"0-加热（反作用），1-制冷（正作用）", kDirection, 0, 1),
    option(4147, u"输出信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", kSignalType, 0, 2),
    tenths(4148, u"输出上限", u"0.0% ~ 100.0%", 0, 1000),
    tenths(4149, u"输出下限", u"0.0% ~ 100.0%", 0, 1000),
    option(4153, u"变送信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", kSignalType, 0, 2),
    integer(4154, u"变送上限", u"-10000 ~ 30000", -10000, 30000),
    integer(4155, u"变送下限", u"-10000 ~ 30000", -10000, 30000),
    option(4156, u"输出方式设定", u"0-变送测量值，1-变送设定值，2-变送输出值，3-变送偏差值", kTransmitted, 0, 3),
    comms(option(4157, u"通讯波特率", u"0-4800，1-9600，2-19200", kBaudRate, 0, 2)),
    comms(option(4158, u"校验方式", u"0-无校验，1-奇校验，2-偶校验", kParity, 0, 2)),
    comms(integer(4159, u"通讯地址", u"地址范围：1-247", 1, 247)),
    integer(4160, u"通讯延迟", u"延迟时间：0-60MS", 0, 60),
    option(4161, u"报警一类型设定", u"0-无，1-上限报警，2-下限报警，3-上偏差报警，4-下偏差报警，5-偏差带报警，6-加热器断线报警，7-程序段状态动作", kAlarm1Type, 0, 7),
    option(4162, u"报警二类型设定", u"0-无，1-上限报警，2-下限报警，3-上偏差报警，4-下偏差报警，5-偏差带报警，6-加热器断线报警，7-程序段状态动作", kAlarm2Type, 0, 7),
    option(4163, u"上电报警免除功能", u"0-禁止，1-允许", kPowerOnAlarm, 0, 1),
    integer(4169, u"电气值1", u"0-20000", 0, 20000),
    integer(4170, u"显示值1", u"-10000 -  30000", -10000, 30000),
    integer(4171, u"电气值2", {}),
    integer(4172, u"显示值2", {}),
    integer(4173, u"电气值3", {}),
    integer(4174, u"显示值3", {}),
    integer(4175, u"电气值4", {}),
    integer(4176, u"显示值4", {}),
    integer(4177, u"电气值5", {}),
    integer(4178, u"显示值5", {}),
    integer(4179, u"电气值6", {}),
    integer(4180, u"显示值6", {}),
    integer(4181, u"电气值7", {}),
    integer(4182, u"显示值7", {}),
    integer(4183, u"电气值8", {}),
    integer(4184, u"显示值8", {}),
};

// clang-format on

} // namespace

std::span<const RegisterInfo> configuration_registers() {
    return kConfiguration;
}
