#include "util/DateTimeText.h"

#include <QDateTime>
#include <QLocale>

std::string DateTimeText() {
    try {
        return DateTimeText(QDateTime::currentDateTime());
    } catch (...) {
        return "ExceptName";
    }
}

std::string DateTimeText(const QDateTime& now) {
    try {
        const QLocale locale = QLocale::system();
        QString text = locale.toString(now.date(), QLocale::ShortFormat);
        if (now.time() != QTime(0, 0)) text += ' ' + locale.toString(now.time(), QLocale::LongFormat);
        text.replace(':', '_');
        text.replace('/', '_');
        return text.toStdString();
    } catch (...) {
        return "ExceptName";
    }
}
