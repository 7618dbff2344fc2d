// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/XSelectionReader.h"

#include <chrono>
#include <cstdlib>
#include <memory>

#include <poll.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, Free>;

struct Connection {
    xcb_connection_t* c;
    ~Connection() { xcb_disconnect(c); }
};

xcb_atom_t atomNamed(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::char_traits<char>::length(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The next event that wanted accepts; nothing on silence, cancel or a broken
// connection.
template <class Wanted>
Reply<xcb_generic_event_t> waitFor(xcb_connection_t* c, const Wanted& wanted,
                                   const std::function<bool()>& cancelled, int silenceMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(silenceMs);
    for (;;) {
        while (Reply<xcb_generic_event_t> e{xcb_poll_for_event(c)}) {
            if (wanted(e.get())) return e;
        }
        if (xcb_connection_has_error(c) || (cancelled && cancelled()) || Clock::now() > deadline)
            return nullptr;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, 50);
    }
}

// Takes the whole property off window (the request that reads its end
// deletes it); its type in type.
bool takeProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t& type,
                  std::string& out) {
    constexpr uint32_t kUnits = 1u << 22;  // 16 MiB a request
    for (uint32_t offset = 0;;) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, offset, kUnits),
            nullptr));
        if (!reply) return false;
        type = reply->type;
        const int length = xcb_get_property_value_length(reply.get());
        out.append(static_cast<const char*>(xcb_get_property_value(reply.get())), std::size_t(length));
        offset += uint32_t(length) / 4;
        if (reply->bytes_after == 0) return true;
    }
}

}  // namespace

std::optional<std::string> readXClipboardText(const std::string& display,
                                              const std::function<bool()>& cancelled,
                                              int silenceMs) {
    std::string text;
    if (!readXClipboardText(display, [&text](std::string_view piece) { text += piece; }, cancelled,
                            silenceMs))
        return std::nullopt;
    return text;
}

bool readXClipboardText(const std::string& display,
                        const std::function<void(std::string_view piece)>& piece,
                        const std::function<bool()>& cancelled, int silenceMs) {
    int screenNumber = 0;
    Connection x{xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber)};
    xcb_connection_t* c = x.c;
    if (xcb_connection_has_error(c)) return false;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0) return false;
    const xcb_screen_t* screen = screens.data;

    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    const xcb_atom_t clipboard = atomNamed(c, "CLIPBOARD");
    const xcb_atom_t utf8 = atomNamed(c, "UTF8_STRING");
    const xcb_atom_t incr = atomNamed(c, "INCR");
    const xcb_atom_t property = atomNamed(c, "DORVANQUELLIS_PASTE");
    if (!clipboard || !utf8 || !incr || !property) return false;

    xcb_convert_selection(c, window, clipboard, utf8, property, XCB_CURRENT_TIME);
    xcb_flush(c);
    const auto notified = waitFor(c, [](xcb_generic_event_t* e) {
        return (e->response_type & 0x7f) == XCB_SELECTION_NOTIFY;
    }, cancelled, silenceMs);
    if (!notified) return false;
    if (reinterpret_cast<xcb_selection_notify_event_t*>(notified.get())->property == XCB_NONE)
        return false;

    std::string text;
    xcb_atom_t type = XCB_ATOM_NONE;
    if (!takeProperty(c, window, property, type, text)) return false;
    if (type != incr) {
        if (type != utf8) return false;
        piece(text);
        return true;
    }

    // Handed over in pieces: each new value of the property is the next
    // one, an empty one the end.
    const auto newValue = [window, property](xcb_generic_event_t* e) {
        if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
        const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e);
        return p->window == window && p->atom == property && p->state == XCB_PROPERTY_NEW_VALUE;
    };
    for (;;) {
        if (!waitFor(c, newValue, cancelled, silenceMs)) return false;
        text.clear();
        if (!takeProperty(c, window, property, type, text)) return false;
        if (text.empty()) return true;
        piece(text);
    }
}
