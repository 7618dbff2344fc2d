// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/X11CloseRequests.h"

#include <cstring>
#include <memory>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <xcb/xcb.h>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

class CloseRequestFilter : public QObject, public QAbstractNativeEventFilter {
public:
    CloseRequestFilter(QWidget* window, xcb_atom_t protocols, xcb_atom_t deleteWindow,
                       std::function<void()> onRequest)
        : QObject(window), window_(window), protocols_(protocols), deleteWindow_(deleteWindow),
          onRequest_(std::move(onRequest)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~CloseRequestFilter() override {
        if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !window_) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->format != 32 || client->type != protocols_ ||
            client->data.data32[0] != deleteWindow_ || !window_->windowHandle() ||
            client->window != xcb_window_t(window_->winId()))
            return false;
        onRequest_();
        return false;  // Qt goes on with it as always
    }

private:
    QPointer<QWidget> window_;
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
    std::function<void()> onRequest_;
};

}  // namespace

void WatchX11CloseRequests(QWidget* window, std::function<void()> onRequest) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t protocols = internAtom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = internAtom(connection, "WM_DELETE_WINDOW");
    if (protocols == XCB_ATOM_NONE || deleteWindow == XCB_ATOM_NONE) return;
    new CloseRequestFilter(window, protocols, deleteWindow, std::move(onRequest));
}
