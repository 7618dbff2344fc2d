#include "util/DisplayText.h"

QString displayPath(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string pathFromDisplay(const QString& text) { return text.toStdString(); }
