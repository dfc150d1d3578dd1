#include "command_rules.h"

#include "core/conversions.h"

#include <QLocale>

const EntryRule kEntryRules[3] = {
    {1, "Command25", u"手动OP", 2, 0, 100, 10},
    {2, "Command11", u"修改SV1", 3, -10000, 30000, 1},
    {3, "Command17", u"修改SV2", 4, -10000, 30000, 1},
};

const ToggleRule kToggleRules[4] = {
    {"Command19", u"手动", 1},
    {"Command12", u"单点/程序", 2},
    {"Command18", u"SV1/2", 3},
    {"Command20", u"主自整定", kAutoTuneCoil},
};

std::optional<qint32> entry_value(const EntryRule& rule, QStringView text) {
    const auto read = text_number(text);
    if (!read)
        return std::nullopt;
    const double number = *read;
    if (!(number >= rule.min && number <= rule.max)) // also refuses NaN and infinity
        return std::nullopt;
    return to_int32(number * rule.scale);
}

QString entry_range_text(const EntryRule& rule) {
    return QStringLiteral("%1 … %2").arg(rule.min).arg(rule.max);
}

const ListRule& program_state_list() {
    static const ListRule rule{"Combo3",
                               "Command13",
                               u"程序状态",
                               8,
                               {QStringLiteral("0:停止 "), QStringLiteral("1:运行 "),
                                QStringLiteral("2:暂停 "), QStringLiteral("4:结束 ")}};
    return rule;
}

const ListRule& curve_list() {
    static const ListRule rule = [] {
        ListRule r{"Combo4", "Command27", u"曲线选择", 7, {}};
        for (int n = 0; n <= 8; ++n)
            r.entries << QStringLiteral("%1 ").arg(n);
        return r;
    }();
    return rule;
}
