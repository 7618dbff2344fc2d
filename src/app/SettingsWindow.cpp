#include "app/SettingsWindow.h"

#include <algorithm>

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include "app/CopyForm.h"
#include "app/SettingsKeys.h"
#include "platform/IScreen.h"
#include "platform/Platform.h"
#include "util/IniFile.h"

namespace {

const int kDesignWidth = 600;
const int kDesignHeight = 360;
const int kDesignSelectPanel = 300;
const int kDesignRightPanel = 84;

std::vector<QRect> screenAreas() {
    std::vector<QRect> areas{QRect(QPoint(0, 0), platform().screen->size())};
    for (const QScreen* screen : QGuiApplication::screens()) areas.push_back(screen->geometry());
    return areas;
}

int withinLimits(int width, const QWidget* panel) {
    return std::clamp(width, panel->minimumWidth(), panel->maximumWidth());
}

void applyPanelWidths(TCopyForm& form, int select, int right) {
    select = withinLimits(select, form.DataSelectPanel);
    right = withinLimits(right, form.RightPanel);
    const int handles = 2 * form.MainSplitter->handleWidth();
    const int middle = std::max(form.SendToPanel->minimumWidth(), form.width() - select - right - handles);
    form.MainSplitter->setSizes({select, middle, right});
}

}  // namespace

bool fillsScreen(int width, int height, QSize screen) {
    return width >= screen.width() || height >= screen.height();
}

bool isOffEveryScreen(const QRect& frame, const std::vector<QRect>& screens) {
    return std::none_of(screens.begin(), screens.end(),
                        [&frame](const QRect& s) { return s.intersects(frame); });
}

void loadWindowSettings(TCopyForm& form, const IniFile& file) {
    form.StartMaximized = file.readBool(ini::Form, ini::Maximized, false);
    int left = file.readInteger(ini::Form, ini::Left, 0);
    int top = file.readInteger(ini::Form, ini::Top, 0);
    const int width = file.readInteger(ini::Form, ini::Width, kDesignWidth);
    const int height = file.readInteger(ini::Form, ini::Height, kDesignHeight);
    if (fillsScreen(width, height, platform().screen->size())) form.StartMaximized = true;
    if (!form.StartMaximized) {
        form.resize(width, height);
        // A window that no screen shows could not be reached at all.
        if (isOffEveryScreen(QRect(left, top, form.width(), form.height()), screenAreas()))
            left = top = 0;
        form.move(left, top);
    }
    applyPanelWidths(form, file.readInteger(ini::Panels, ini::SelectPanel, kDesignSelectPanel),
                     file.readInteger(ini::Panels, ini::RightPanel, kDesignRightPanel));
}

void saveWindowSettings(TCopyForm& form, IniFile& file) {
    if (form.isMaximized()) {
        file.writeBool(ini::Form, ini::Maximized, true);
    } else {
        file.writeBool(ini::Form, ini::Maximized, false);
        file.writeInteger(ini::Form, ini::Left, form.x());
        file.writeInteger(ini::Form, ini::Top, form.y());
        file.writeInteger(ini::Form, ini::Width, form.width());
        file.writeInteger(ini::Form, ini::Height, form.height());
    }
    file.writeInteger(ini::Panels, ini::SelectPanel, form.DataSelectPanel->width());
    file.writeInteger(ini::Panels, ini::RightPanel, form.RightPanel->width());
}
