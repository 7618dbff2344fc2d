// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ApplicationSetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Dorvanquellis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dorvanquellis"));
    // Desktops find the launcher's name and icon for the windows by this id.
    QApplication::setDesktopFileName(QStringLiteral("org.dorvanquellis.Dorvanquellis"));
    app.setProperty("helpFile", QStringLiteral("Dorvanquellis.hlp"));

    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    font.setPixelSize(12);
    QApplication::setFont(font);
}
