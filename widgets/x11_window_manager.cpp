// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_window_manager.h"

#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace vantrel::x11 {
namespace {

// How long a window manager that supports the request gets to answer it.
constexpr std::chrono::milliseconds kFrameExtentsWait{200};

xcb_connection_t *connection()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply *reply)
{
    return {reply, &std::free};
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t rootOf(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The 32-bit values of a window's property, empty when it is not set.
std::vector<std::uint32_t> cardinals(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property,
                                     xcb_atom_t type)
{
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::optional<QMargins> readFrameExtents(xcb_connection_t *c, xcb_window_t window,
                                         xcb_atom_t extents)
{
    const std::vector<std::uint32_t> values = cardinals(c, window, extents, XCB_ATOM_CARDINAL);
    if (values.size() != 4) {
        return std::nullopt;
    }
    // _NET_FRAME_EXTENTS lists left, right, top, bottom.
    return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
}

bool windowManagerSupports(xcb_connection_t *c, xcb_atom_t feature)
{
    const std::vector<std::uint32_t> supported =
        cardinals(c, rootOf(c), atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), feature) != supported.end();
}

void sendToRoot(xcb_connection_t *c, xcb_window_t window, xcb_atom_t type)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);
}

} // namespace

std::optional<QMargins> frameExtents(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window->isWindow()) {
        return std::nullopt;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    if (std::optional<QMargins> known = readFrameExtents(c, id, extents)) {
        return known;
    }
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!windowManagerSupports(c, request)) {
        return std::nullopt;
    }
    // The window manager answers by setting the property; it is another
    // process, so the answer is polled for, briefly, once a window.
    sendToRoot(c, id, request);
    const auto deadline = std::chrono::steady_clock::now() + kFrameExtentsWait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::optional<QMargins> answered = readFrameExtents(c, id, extents)) {
            return answered;
        }
        QThread::usleep(500);
    }
    return std::nullopt;
}

void askForNoDecoration(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window->isWindow()) {
        return;
    }
    // Motif's hints: flags (decorations given), functions, decorations (none),
    // input mode, status.
    constexpr std::uint32_t kDecorationsGiven = 1U << 1;
    const std::array<std::uint32_t, 5> hints{kDecorationsGiven, 0, 0, 0, 0};
    const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), motif,
                        motif, 32, hints.size(), hints.data());
    xcb_flush(c);
}

} // namespace vantrel::x11
