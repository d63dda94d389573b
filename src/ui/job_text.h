#pragma once

#include <QString>

#include <string>

namespace wordgleaner {

// Paths and texts are 8-bit in the system's local encoding inside the job.
inline std::string ToJobText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

inline QString FromJobText(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

}  // namespace wordgleaner
