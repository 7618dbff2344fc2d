#include "platform/linux/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtClipboard::setText(const QString& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb) return false;
    cb->setText(text);
    return true;
}

bool QtClipboard::hasText() {
    QClipboard* cb = QGuiApplication::clipboard();
    const QMimeData* data = cb ? cb->mimeData() : nullptr;
    return data && data->hasText();
}

QString QtClipboard::text() {
    QClipboard* cb = QGuiApplication::clipboard();
    return cb ? cb->text() : QString();
}
