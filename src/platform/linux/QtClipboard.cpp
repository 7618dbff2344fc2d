// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/linux/XSelectionReader.h"

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

IClipboard::TextReader QtClipboard::textReader() {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb || cb->ownsClipboard() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return [display = qEnvironmentVariable("DISPLAY").toStdString()](
               const TextPiece& piece, const std::function<bool()>& cancelled) {
        return readXClipboardText(display, piece, cancelled);
    };
}
