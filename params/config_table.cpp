#include "params/param_rows.h"

namespace {

// clang-format off

// The input type lists of the main (Combo1) and auxiliary (Combo11) inputs share one set of
// texts. Entry 8 has no colon, and code 15 reads 0Ω4000 in the list but 0Ω5000 on the label:
// the instrument's screens have them so.
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

constexpr QStringView kCombo0Entries[] = {
    u"0:PID ",
    u"1:开关 ",
    u"2:无反馈阀门 ",
    u"3:有反馈阀门 ",
};
constexpr QStringView kCombo0Shown[] = {u"PID控制", u"位式控制", u"无反馈阀门", u"有反馈阀门"};

constexpr QStringView kCombo2Entries[] = {u"0:面板手动禁止 ", u"1:面板手动允许 "};
constexpr QStringView kCombo2Shown[] = {u"禁止面板手自动", u"允许面板手自动"};

constexpr QStringView kCombo3Entries[] = {u"0:面板SV1/PRG禁止 ", u"1:面板SV1/PRG允许 "};
constexpr QStringView kCombo3Shown[] = {u"禁止面板SV/PRG切换", u"允许面板SV/PRG切换"};

constexpr QStringView kCombo4Entries[] = {u"0:面板SV1/SV2禁止 ", u"1:面板SV1/SV2允许 "};
constexpr QStringView kCombo4Shown[] = {u"禁止面板SV1/SV2切换", u"允许面板SV1/SV2切换"};

constexpr QStringView kCombo31Entries[] = {u"0:单点SV运行 ", u"1:程序段模式 "};
constexpr QStringView kCombo31Shown[] = {u"单点SV1/SV2模式", u"程序段模式"};

constexpr QStringView kCombo5Entries[] = {u"0:摄氏度 ", u"1:华氏度 ", u"2:绝对温度 "};
constexpr QStringView kCombo5Shown[] = {u"摄氏度", u"华氏度", u"绝对温度"};

constexpr QStringView kCombo6Entries[] = {
    u"0:单输出 ",
    u"1:加热制冷 ",
    u"2:变送模式 ",
    u"3:双回路 ",
};
constexpr QStringView kCombo6Shown[] = {u"单输出", u"双输出", u"通道2变送", u"双回路"};

constexpr QStringView kCombo7Entries[] = {u"0:经典PID ", u"1:PV微分PID ", u"2:无超调PID "};
constexpr QStringView kCombo7Shown[] = {u"经典PID", u"PV微分PID", u"无超调PID"};

constexpr QStringView kCombo8Entries[] = {
    u"0:XXXXX ",
    u"1:XXXX.X ",
    u"2:XXX.XX ",
    u"3:XX.XXX ",
    u"4:X.XXXX ",
};
constexpr QStringView kCombo8Shown[] = {u"XXXXX", u"XXXX.X", u"XXX.XX", u"XX.XXX", u"X.XXXX"};

constexpr QStringView kCombo9Entries[] = {u"0:转预置输出值", u"1:维持开路输出 "};
constexpr QStringView kCombo9Shown[] = {u"异常转预置", u"保持开路输出"};

constexpr QStringView kCombo10Entries[] = {
    u"0:内部补偿",
    u"1:0度补偿 ",
    u"2:45度补偿 ",
    u"3:50度补偿",
};
constexpr QStringView kCombo10Shown[] = {u"内部补偿", u"0度补偿", u"45度补偿", u"50度补偿"};

constexpr QStringView kCombo17Entries[] = {u"0:禁止 ", u"1:允许 "};
constexpr QStringView kCombo17Shown[] = {u"禁止", u"允许"};

constexpr QStringView kCombo32Entries[] = {
    u"0:禁止 ",
    u"1:加热器断线报警 ",
    u"2:阀位反馈 ",
    u"3:远程SV ",
    u"4:双输入高低温切换 ",
    u"5:氧探头输入 ",
    u"6:湿度输入 ",
};
constexpr QStringView kCombo32Shown[] = {
    u"禁止使用",
    u"加热器断线测量",
    u"阀位反馈",
    u"远程SV设定",
    u"双传感高低切换",
    u"氧传感器输入",
    u"湿度输入",
};

constexpr QStringView kCombo12Entries[] = {
    u"0:XXXXX ",
    u"1:XXXX.X ",
    u"2:XXX.XX ",
    u"3:XX.XXX ",
    u"4:X.XXXX ",
};
constexpr QStringView kCombo12Shown[] = {u"XXXXX", u"XXXX.X", u"XXX.XX", u"XX.XXX", u"X.XXXX"};

constexpr QStringView kCombo13Entries[] = {u"0:转输出预置值 ", u"1:维持开路输出 "};
constexpr QStringView kCombo13Shown[] = {u"异常转预置", u"保持开路输出"};

constexpr QStringView kCombo14Entries[] = {
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
constexpr QStringView kCombo14Shown[] = {
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

constexpr QStringView kCombo15Entries[] = {
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
constexpr QStringView kCombo15Shown[] = {
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

constexpr QStringView kCombo20Entries[] = {
    u"0:线性电流输出 ",
    u"1:继电器 ",
    u"2:晶体管 ",
    u"3:可控硅 ",
};
constexpr QStringView kCombo20Shown[] = {u"线性电流", u"继电器", u"晶体管", u"可控硅"};

constexpr QStringView kCombo21Entries[] = {u"0:反作用 ", u"1:正作用 "};
constexpr QStringView kCombo21Shown[] = {u"反作用", u"正作用"};

constexpr QStringView kCombo22Entries[] = {u"0:4MA20 ", u"1:0MA10 ", u"2:0MA20 "};
constexpr QStringView kCombo22Shown[] = {u"4MA20", u"0MA10", u"0MA20"};

constexpr QStringView kCombo23Entries[] = {
    u"0:线性电流输出 ",
    u"1:继电器 ",
    u"2:晶体管 ",
    u"3:可控硅 ",
};
constexpr QStringView kCombo23Shown[] = {u"线性电流", u"继电器", u"晶体管", u"可控硅"};

constexpr QStringView kCombo24Entries[] = {u"0:反作用 ", u"1:正作用 "};
constexpr QStringView kCombo24Shown[] = {u"反作用", u"正作用"};

constexpr QStringView kCombo25Entries[] = {u"0:4MA20 ", u"1:0MA10 ", u"2:0MA20 "};
constexpr QStringView kCombo25Shown[] = {u"4MA20", u"0MA10", u"0MA20"};

constexpr QStringView kCombo28Entries[] = {u"0:4MA20 ", u"1:0MA10 ", u"2:0MA20 "};
constexpr QStringView kCombo28Shown[] = {u"4MA20", u"0MA10", u"0MA20"};

constexpr QStringView kCombo26Entries[] = {
    u"0:变送测量值 ",
    u"1:变送设定值 ",
    u"2:变送输出值 ",
    u"3:变送偏差值 ",
};
constexpr QStringView kCombo26Shown[] = {
    u"变送测量值",
    u"变送设定值",
    u"变送输出值",
    u"变送偏差值",
};

constexpr QStringView kCombo18Entries[] = {u"0:4800BPS ", u"1:9600BPS ", u"2:19200BPS "};
constexpr QStringView kCombo18Shown[] = {u"4800BPS", u"9600BPS", u"19200BPS"};

constexpr QStringView kCombo19Entries[] = {u"0:无校验 ", u"1:奇校验 ", u"2:偶校验 "};
constexpr QStringView kCombo19Shown[] = {u"无校验", u"奇校验", u"偶校验"};

constexpr QStringView kCombo30Entries[] = {
    u"0:无 ",
    u"1:上限报警 ",
    u"2:下限报警 ",
    u"3:上偏差报警 ",
    u"4:下偏差报警 ",
    u"5:偏差带报警 ",
    u"6:加热器断线报警 ",
    u"7:程序段运行闭合 ",
};
constexpr QStringView kCombo30Shown[] = {
    u"无",
    u"上限报警1",
    u"下限报警1",
    u"上偏差报警1",
    u"下偏差报警1",
    u"偏差带报警1",
    u"加热器断线报警1",
    u"段闭合指示1",
};

constexpr QStringView kCombo29Entries[] = {
    u"0:无 ",
    u"1:上限报警 ",
    u"2:下限报警 ",
    u"3:上偏差报警 ",
    u"4:下偏差报警 ",
    u"5:偏差带报警 ",
    u"6:加热器断线报警 ",
    u"7:程序段运行闭合 ",
};
constexpr QStringView kCombo29Shown[] = {
    u"无",
    u"上限报警2",
    u"下限报警2",
    u"上偏差报警2",
    u"下偏差报警2",
    u"偏差带报警2",
    u"加热器断线报警2",
    u"段闭合指示2",
};

constexpr QStringView kCombo27Entries[] = {u"0:上电报警禁止 ", u"1:上电报警允许 "};
constexpr QStringView kCombo27Shown[] = {u"禁止", u"允许上电报警解除"};

constexpr OptionList kCombo0{"Combo0", kCombo0Entries, kCombo0Shown};
constexpr OptionList kCombo2{"Combo2", kCombo2Entries, kCombo2Shown};
constexpr OptionList kCombo3{"Combo3", kCombo3Entries, kCombo3Shown};
constexpr OptionList kCombo4{"Combo4", kCombo4Entries, kCombo4Shown};
constexpr OptionList kCombo31{"Combo31", kCombo31Entries, kCombo31Shown};
constexpr OptionList kCombo5{"Combo5", kCombo5Entries, kCombo5Shown};
constexpr OptionList kCombo6{"Combo6", kCombo6Entries, kCombo6Shown};
constexpr OptionList kCombo7{"Combo7", kCombo7Entries, kCombo7Shown};
constexpr OptionList kCombo1{"Combo1", kInputTypeEntries, kInputTypeShown};
constexpr OptionList kCombo8{"Combo8", kCombo8Entries, kCombo8Shown};
constexpr OptionList kCombo9{"Combo9", kCombo9Entries, kCombo9Shown};
constexpr OptionList kCombo10{"Combo10", kCombo10Entries, kCombo10Shown};
constexpr OptionList kCombo17{"Combo17", kCombo17Entries, kCombo17Shown};
constexpr OptionList kCombo32{"Combo32", kCombo32Entries, kCombo32Shown};
constexpr OptionList kCombo11{"Combo11", kInputTypeEntries, kInputTypeShown};
constexpr OptionList kCombo12{"Combo12", kCombo12Entries, kCombo12Shown};
constexpr OptionList kCombo13{"Combo13", kCombo13Entries, kCombo13Shown};
constexpr OptionList kCombo14{"Combo14", kCombo14Entries, kCombo14Shown};
constexpr OptionList kCombo15{"Combo15", kCombo15Entries, kCombo15Shown};
constexpr OptionList kCombo20{"Combo20", kCombo20Entries, kCombo20Shown};
constexpr OptionList kCombo21{"Combo21", kCombo21Entries, kCombo21Shown};
constexpr OptionList kCombo22{"Combo22", kCombo22Entries, kCombo22Shown};
constexpr OptionList kCombo23{"Combo23", kCombo23Entries, kCombo23Shown};
constexpr OptionList kCombo24{"Combo24", kCombo24Entries, kCombo24Shown};
constexpr OptionList kCombo25{"Combo25", kCombo25Entries, kCombo25Shown};
constexpr OptionList kCombo28{"Combo28", kCombo28Entries, kCombo28Shown};
constexpr OptionList kCombo26{"Combo26", kCombo26Entries, kCombo26Shown};
constexpr OptionList kCombo18{"Combo18", kCombo18Entries, kCombo18Shown};
constexpr OptionList kCombo19{"Combo19", kCombo19Entries, kCombo19Shown};
constexpr OptionList kCombo30{"Combo30", kCombo30Entries, kCombo30Shown};
constexpr OptionList kCombo29{"Combo29", kCombo29Entries, kCombo29Shown};
constexpr OptionList kCombo27{"Combo27", kCombo27Entries, kCombo27Shown};

// Tab 5's third digital input has a list but no register: it writes nothing and its label is
// never refreshed.
constexpr OptionList kCombo16{"Combo16", kCombo14Entries, kCombo14Shown};

constexpr ParamGroup kGroups[] = {
    {u"1.Instrument ", u"功能参数设定"},
    {u"2.主输入设置", u"主输入参数设定"},
    {u"3.付输入设置", u"付输入参数设定"},
    {u"4.传感器切换", u"双传感器切换点设定"},
    {u"5.DI 输入设定", u"输入开关量点一动作指令"},
    {u"6.主输入多点修正", u"主输入PV多点修正"},
    {u"7.NC", u"备用"},
    {u"8.通讯设定", u"通讯参数设定"},
    {u"9.主输出1设定", u"主控输出1设定"},
    {u"10.付输出2设定", u"付输出设定"},
    {u"11.变送设定", u"变送输出设定"},
    {u"12.报警设定", u"报警功能设定"},
};

constexpr ParamRow kRows[] = {
    {1, 4097, 0, u"控制类型设定", u"0-PID,1-位式控制，2-无反馈阀门，3-有反馈阀门", FieldKind::Option, &kCombo0},
    {2, 4098, 0, u"面板自动/手动使能", u"0-禁止，1-允许", FieldKind::Option, &kCombo2},
    {3, 4099, 0, u"面板SV1/PRG使能", u"0-禁止，1-允许", FieldKind::Option, &kCombo3},
    {4, 4100, 0, u"面板SV1/SV2使能", u"0-禁止，1-允许", FieldKind::Option, &kCombo4},
    {5, 4101, 0, u"单点程序选择", u"0-无程序单点模式，1-程序段模式", FieldKind::Option, &kCombo31},
    {6, 4102, 0, u"单位转换", u"0-摄氏度，1-华氏度，2-绝对温度", FieldKind::Option, &kCombo5},
    {7, 4103, 0, u"数字滤波时间", u"0.1-100.0 S", FieldKind::Tenths},
    {8, 4104, 0, u"控制方式", u"0-单输出，1-双输出（加热制冷），2-变送,3-双回路", FieldKind::Option, &kCombo6},
    {9, 4105, 0, u"PIDC", u"0-经典PID ,1-PV微分PID,2-无超调PID (适用于单点或者曲线不剧烈变化场合）", FieldKind::Option, &kCombo7},
    {10, 4106, 0, u"设定值上限SVHI", u"-10000~30000", FieldKind::Integer},
    {11, 4107, 0, u"设定值下限SVLO", u"-10000~30000", FieldKind::Integer},
    {13, 4109, 1, u"输入类型设定", u"0-28种传感器输入类型", FieldKind::Option, &kCombo1},
    {14, 4110, 1, u"显示上限", u"-10000~ 30000", FieldKind::Integer},
    {15, 4111, 1, u"显示下限", u"-10000~ 30000", FieldKind::Integer},
    {16, 4112, 1, u"小数点", u"0-XXXXX, 1-XXXX.X, 2-XXX.XX, 3-XX.XXX, 4-X.XXXX", FieldKind::Option, &kCombo8},
    {17, 4113, 1, u"输入异常处理处理", u"0-转输出预置值，1-保持开路输出", FieldKind::Option, &kCombo9},
    {18, 4114, 1, u"输入异常预置值", u"0.0% - 100.0%", FieldKind::Tenths},
    {19, 4115, 1, u"修正偏移量", u"-500 ~ 500 LSB", FieldKind::Integer},
    {20, 4116, 1, u"冷端补偿类型", u"0-内部补偿，1-0摄氏度，2-45摄氏度，3-50摄氏度", FieldKind::Option, &kCombo10},
    {21, 4117, 1, u"输入多点曲线修正", u"0-禁止， 1-允许主输入曲线修正", FieldKind::Option, &kCombo17},
    {23, 4119, 2, u"辅助通道功能", u"0-禁止，1-加热断线报警，2-阀位反馈，3-远程SV设定，4-双输入高低温切换，5-碳控氧探头输入", FieldKind::Option, &kCombo32},
    {24, 4120, 2, u"输入类型设定", u"0-28种传感器输入类型", FieldKind::Option, &kCombo11},
    {25, 4121, 2, u"显示上限", u"-10000~ 30000", FieldKind::Integer},
    {26, 4122, 2, u"显示下限", u"-10000~ 30000", FieldKind::Integer},
    {27, 4123, 2, u"小数点", u"0-XXXXX, 1-XXXX.X, 2-XXX.XX, 3-XX.XXX, 4-X.XXXX", FieldKind::Option, &kCombo12},
    {28, 4124, 2, u"输入异常处理", u"0-转输出预置值，1-保持开路输出", FieldKind::Option, &kCombo13},
    {29, 4125, 2, u"输入异常预置值", u"0.0% - 100.0%", FieldKind::Tenths},
    {30, 4126, 2, u"修正偏移量", u"-500 ~ 500 LSB", FieldKind::Integer},
    {33, 4129, 3, u"传感器上切换点", u"-10000~ 30000", FieldKind::Integer},
    {34, 4130, 3, u"传感器下切换点", u"-10000~ 30000", FieldKind::Integer},
    {37, 4133, 4, u"开关量输入1功能选择", u"0-无，1-手自动，2-遥控设定，3-自整定，4-作为加键，5-作为减键，6-运行程序，7-暂停，8-停止，9-跳步", FieldKind::Option, &kCombo14},
    {38, 4134, 4, u"开关量输入2功能选择", {}, FieldKind::Option, &kCombo15},
    {390, 0, 4, u"开关量输入3功能选择", {}, FieldKind::Option, &kCombo16},
    {39, 4135, 4, u"待机缓启动时间", {}, FieldKind::Integer},
    {41, 4137, 8, u"输出方式设定", u"0-线性电流，1-继电器，2-晶体管，3-可控硅", FieldKind::Option, &kCombo20},
    {42, 4138, 8, u"输出作用方向", u"0-加热（反作用），1-制冷（正作用）", FieldKind::Option, &kCombo21},
    {43, 4139, 8, u"输出信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", FieldKind::Option, &kCombo22},
    {44, 4140, 8, u"输出上限", u"0.0% ~ 100.0%", FieldKind::Tenths},
    {45, 4141, 8, u"输出下限", u"0.0% ~ 100.0%", FieldKind::Tenths},
    {49, 4145, 9, u"输出方式设定", u"0-线性电流，1-继电器，2-晶体管，3-可控硅", FieldKind::Option, &kCombo23},
    {50, 4146, 9, u"输出作用方向", u"0-加热（反作用），1-制冷（正作用）", FieldKind::Option, &kCombo24},
    {51, 4147, 9, u"输出信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", FieldKind::Option, &kCombo25},
    {52, 4148, 9, u"输出上限", u"0.0% ~ 100.0%", FieldKind::Tenths},
    {53, 4149, 9, u"输出下限", u"0.0% ~ 100.0%", FieldKind::Tenths},
    {57, 4153, 10, u"变送信号类型", u"0-4MA20,1-0MA10,2-0MA20(0V5,0V10)", FieldKind::Option, &kCombo28},
    {58, 4154, 10, u"变送上限", u"-10000 ~ 30000", FieldKind::Integer},
    {59, 4155, 10, u"变送下限", u"-10000 ~ 30000", FieldKind::Integer},
    {60, 4156, 10, u"输出方式设定", u"0-变送测量值，1-变送设定值，2-变送输出值，3-变送偏差值", FieldKind::Option, &kCombo26},
    {61, 4157, 7, u"通讯波特率", u"0-4800，1-9600，2-19200", FieldKind::Option, &kCombo18},
    {62, 4158, 7, u"校验方式", u"0-无校验，1-奇校验，2-偶校验", FieldKind::Option, &kCombo19},
    {63, 4159, 7, u"通讯地址", u"地址范围：1-247", FieldKind::Integer},
    {64, 4160, 7, u"通讯延迟", u"延迟时间：0-60MS", FieldKind::Integer},
    {65, 4161, 11, u"报警一类型设定", u"0-无，1-上限报警，2-下限报警，3-上偏差报警，4-下偏差报警，5-偏差带报警，6-加热器断线报警，7-程序段状态动作", FieldKind::Option, &kCombo30},
    {66, 4162, 11, u"报警二类型设定", u"0-无，1-上限报警，2-下限报警，3-上偏差报警，4-下偏差报警，5-偏差带报警，6-加热器断线报警，7-程序段状态动作", FieldKind::Option, &kCombo29},
    {67, 4163, 11, u"上电报警免除功能", u"0-禁止，1-允许", FieldKind::Option, &kCombo27},
    {73, 4169, 5, u"电气值1", u"0-20000", FieldKind::Integer},
    {74, 4170, 5, u"显示值1", u"-10000 -  30000", FieldKind::Integer},
    {75, 4171, 5, u"电气值2", {}, FieldKind::Integer},
    {76, 4172, 5, u"显示值2", {}, FieldKind::Integer},
    {77, 4173, 5, u"电气值3", {}, FieldKind::Integer},
    {78, 4174, 5, u"显示值3", {}, FieldKind::Integer},
    {79, 4175, 5, u"电气值4", {}, FieldKind::Integer},
    {80, 4176, 5, u"显示值4", {}, FieldKind::Integer},
    {81, 4177, 5, u"电气值5", {}, FieldKind::Integer},
    {82, 4178, 5, u"显示值5", {}, FieldKind::Integer},
    {83, 4179, 5, u"电气值6", {}, FieldKind::Integer},
    {84, 4180, 5, u"显示值6", {}, FieldKind::Integer},
    {85, 4181, 5, u"电气值7", {}, FieldKind::Integer},
    {86, 4182, 5, u"显示值7", {}, FieldKind::Integer},
    {87, 4183, 5, u"电气值8", {}, FieldKind::Integer},
    {88, 4184, 5, u"显示值8", {}, FieldKind::Integer},
};

// clang-format on

} // namespace

ParamTable config_table() {
    return {kRows, kGroups};
}
