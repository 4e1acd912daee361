#pragma once

#include <QString>

#include <string>

namespace vorn {

// Map texts are 8-bit: Latin-1 carries every byte through a text field and back unchanged.
inline QString fromMapText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toMapText(const QString& text)
{
    return text.toLatin1().toStdString();
}

} // namespace vorn
