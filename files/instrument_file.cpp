#include "files/instrument_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString kFormat = QStringLiteral("mt3600-instrument-file");

QString kind_name(FieldKind kind) {
    switch (kind) {
    case FieldKind::Integer:
        return QStringLiteral("integer");
    case FieldKind::Tenths:
        return QStringLiteral("tenths");
    case FieldKind::Option:
        break;
    }
    return QStringLiteral("option");
}
} // namespace

QByteArray instrument_file_json(const InstrumentFile& file) {
    QJsonArray registers;
    for (const MapEntry& e : register_map()) {
        const auto v = file.values.find({e.curve, e.reg});
        if (v == file.values.end())
            continue;
        QJsonObject r{{QStringLiteral("block"), block_name(e.block)},
                      {QStringLiteral("register"), e.reg},
                      {QStringLiteral("name"), e.name()},
                      {QStringLiteral("kind"), kind_name(e.info->kind)},
                      {QStringLiteral("value"), v->second}};
        if (e.curve >= 0)
            r.insert(QStringLiteral("curve"), e.curve);
        if (e.segment > 0)
            r.insert(QStringLiteral("segment"), e.segment);
        if (e.info->kind == FieldKind::Option)
            r.insert(QStringLiteral("text"), e.shown(v->second));
        registers.append(r);
    }
    const QJsonObject root{
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("version"), kInstrumentFileVersion},
        {QStringLiteral("time"), file.origin.time.toString(Qt::ISODate)},
        {QStringLiteral("link"), QJsonObject{{QStringLiteral("device"), file.origin.device},
                                             {QStringLiteral("settings"), file.origin.settings},
                                             {QStringLiteral("address"), file.origin.address}}},
        {QStringLiteral("registers"), registers}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<InstrumentFile> parse_instrument_file(const QByteArray& json, QString* why) {
    auto refuse = [why](const QString& text) {
        if (why)
            *why = text;
        return std::nullopt;
    };
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject())
        return refuse(QCoreApplication::translate("InstrumentFile", "not an instrument file: %1")
                          .arg(error.errorString()));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        return refuse(QCoreApplication::translate("InstrumentFile",
                                                  "not an instrument file of this console"));
    const int version = root.value(QStringLiteral("version")).toInt(-1);
    if (version != kInstrumentFileVersion)
        return refuse(
            QCoreApplication::translate("InstrumentFile",
                                        "instrument file version %1; this console reads version %2")
                .arg(version)
                .arg(kInstrumentFileVersion));
    InstrumentFile file;
    file.origin.time =
        QDateTime::fromString(root.value(QStringLiteral("time")).toString(), Qt::ISODate);
    const QJsonObject link = root.value(QStringLiteral("link")).toObject();
    file.origin.device = link.value(QStringLiteral("device")).toString();
    file.origin.settings = link.value(QStringLiteral("settings")).toString();
    file.origin.address = link.value(QStringLiteral("address")).toInt(1);
    for (const QJsonValue& item : root.value(QStringLiteral("registers")).toArray()) {
        const QJsonObject r = item.toObject();
        const int curve = r.value(QStringLiteral("curve")).toInt(-1);
        const int reg = r.value(QStringLiteral("register")).toInt(0);
        const QJsonValue value = r.value(QStringLiteral("value"));
        if (!find_entry(curve, reg))
            return refuse(
                curve < 0
                    ? QCoreApplication::translate("InstrumentFile",
                                                  "register %1 is not one this console knows")
                          .arg(reg)
                    : QCoreApplication::translate(
                          "InstrumentFile", "curve %1 register %2 is not one this console knows")
                          .arg(curve)
                          .arg(reg));
        if (!value.isDouble() || value.toDouble() != double(value.toInt()) ||
            value.toInt() < -32768 || value.toInt() > 32767)
            return refuse(
                QCoreApplication::translate("InstrumentFile", "register %1 holds no 16-bit value")
                    .arg(reg));
        file.values[{curve, reg}] = value.toInt();
    }
    return file;
}

std::optional<QString> restore_refusal(const InstrumentFile& file) {
    constexpr int kNamed = 5; // the first registers at fault, then how many more
    QStringList outside;
    QStringList missing;
    int outsideCount = 0;
    int missingCount = 0;
    for (const MapEntry& e : register_map()) {
        const auto v = file.values.find({e.curve, e.reg});
        if (v == file.values.end()) {
            if (missingCount++ < kNamed)
                missing << e.key();
        } else if (!e.accepts(v->second)) {
            if (outsideCount++ < kNamed)
                outside << QCoreApplication::translate("InstrumentFile", "%1 holds %2 (%3 to %4)")
                               .arg(e.key())
                               .arg(v->second)
                               .arg(e.low)
                               .arg(e.high);
        }
    }
    auto more = [](int count) {
        return count > kNamed ? QCoreApplication::translate("InstrumentFile", ", and %n more",
                                                            nullptr, count - kNamed)
                              : QString();
    };
    QStringList why;
    if (outsideCount > 0)
        why << QCoreApplication::translate("InstrumentFile",
                                           "values their registers do not accept: %1%2")
                   .arg(outside.join(QStringLiteral("; ")), more(outsideCount));
    if (missingCount > 0)
        why << QCoreApplication::translate("InstrumentFile",
                                           "%1 of the %2 registers are missing: %3%4")
                   .arg(missingCount)
                   .arg(register_map().size())
                   .arg(missing.join(QStringLiteral(", ")), more(missingCount));
    if (why.isEmpty())
        return std::nullopt;
    return why.join(QStringLiteral("; "));
}

QString before_copy_path(const QString& path, const QDateTime& time) {
    const QFileInfo file(path);
    return file.dir().filePath(
        QStringLiteral("%1-before-%2.json")
            .arg(file.completeBaseName(), time.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}
