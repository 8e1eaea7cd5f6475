#pragma once
// Crossing between the core's std::string and Qt's strings. Core strings
// are either UTF-8 (messages, captions, file paths) or document bytes in a
// code page; the two are never mixed.

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace kiv {

inline QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string u8(const QString& s) { return s.toUtf8().toStdString(); }

// File paths are the system's own names; Linux uses UTF-8.
inline QString qpath(std::string_view path) { return qs(path); }
inline std::string spath(const QString& path) { return u8(path); }

// Document bytes of a charset as readable text, and back.
QString decodeBytes(std::string_view bytes, std::string_view charsetId);
std::string encodeText(const QString& text, std::string_view charsetId);

}  // namespace kiv
