#include "qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace vorn {
namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString keyPath(std::string_view section, std::string_view key)
{
    QString group = toQString(section);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group + QLatin1Char('/') + toQString(key);
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::userFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ostrel"), QStringLiteral("Vorn"))
        .fileName();
}

std::string QtSettingsStore::readString(std::string_view section, std::string_view key,
                                        std::string_view fallback) const
{
    const QVariant value = settings_->value(keyPath(section, key));
    // A hand-edited value with an unquoted comma reads as a list: keep its text.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(',')).toStdString();
    if (!value.isValid() || !value.canConvert<QString>()) return std::string(fallback);
    return value.toString().toStdString();
}

int QtSettingsStore::readInt(std::string_view section, std::string_view key, int fallback) const
{
    bool ok = false;
    const int value = settings_->value(keyPath(section, key)).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void QtSettingsStore::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    settings_->setValue(keyPath(section, key), toQString(value));
}

void QtSettingsStore::writeInt(std::string_view section, std::string_view key, int value)
{
    settings_->setValue(keyPath(section, key), value);
}

std::string QtSettingsStore::fileName() const
{
    return settings_->fileName().toStdString();
}

bool QtSettingsStore::sync()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace vorn
