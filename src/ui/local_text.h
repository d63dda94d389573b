#pragma once

#include <QString>

#include <string>

namespace wordgleaner {

// Paths and texts below the window are 8-bit, in the system's local
// encoding, as the file APIs take them (a file name in code page 1252 on
// Windows keeps its bytes); the window shows them as Unicode.
inline std::string ToLocalText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

inline QString FromLocalText(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

}  // namespace wordgleaner
