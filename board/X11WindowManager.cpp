#include "board/X11WindowManager.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace X11WindowManager {

#if QT_CONFIG(xcb)

namespace {

xcb_connection_t *connection() {
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <class Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <class Reply> Owned<Reply> owned(Reply *reply) {
    return Owned<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    const auto reply =
        owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, false, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The first `count` 32-bit values of the window's property (as many as it has, up to
// `count`, when `exactly` is false), or nothing if it has fewer or none.
std::optional<std::vector<uint32_t>> property(xcb_connection_t *c, xcb_window_t window, const char *name,
                                              xcb_atom_t type, uint32_t count, bool exactly = true) {
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, false, window, atom(c, name), type, 0, count), nullptr));
    if (!reply || reply->format != 32) return std::nullopt;
    const int values = xcb_get_property_value_length(reply.get()) / 4;
    if (exactly && values < int(count)) return std::nullopt;
    const auto *first = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(first, first + values);
}

// The root window above the window, or the first screen's without one.
xcb_window_t rootOf(xcb_connection_t *c, const QWindow *window) {
    if (window && window->handle()) {
        const auto tree =
            owned(xcb_query_tree_reply(c, xcb_query_tree(c, xcb_window_t(window->winId())), nullptr));
        if (tree) return tree->root;
    }
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

} // namespace

bool running(const QWindow *window) {
    xcb_connection_t *c = connection();
    if (!c) return false;
    const auto check = property(c, rootOf(c, window), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, 1);
    if (!check) return false;
    // The manager's own window names itself; a window that is gone has no property.
    const auto self = property(c, check->front(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, 1);
    return self && self->front() == check->front();
}

bool answersFrameRequests(const QWindow *window) {
    xcb_connection_t *c = connection();
    if (!c || !running(window)) return false;
    const auto supported = property(c, rootOf(c, window), "_NET_SUPPORTED", XCB_ATOM_ATOM, 4096, false);
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    return supported && std::find(supported->begin(), supported->end(), request) != supported->end();
}

void requestFrameExtents(QWindow *window) {
    xcb_connection_t *c = connection();
    if (!c || !window) return;
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = xcb_window_t(window->winId());
    request.type = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, false, rootOf(c, window),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(c);
}

std::optional<QMargins> frameExtents(const QWindow *window) {
    xcb_connection_t *c = connection();
    if (!c || !window || !window->handle()) return std::nullopt;
    // Left, right, top, bottom, in the screen's pixels.
    const auto e = property(c, xcb_window_t(window->winId()), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL, 4);
    if (!e) return std::nullopt;
    const qreal ratio = window->devicePixelRatio();
    const auto logical = [ratio](uint32_t pixels) { return qRound(pixels / ratio); };
    return QMargins(logical((*e)[0]), logical((*e)[2]), logical((*e)[1]), logical((*e)[3]));
}

#else

bool running(const QWindow *) {
    return false;
}
bool answersFrameRequests(const QWindow *) {
    return false;
}
void requestFrameExtents(QWindow *) {}
std::optional<QMargins> frameExtents(const QWindow *) {
    return std::nullopt;
}

#endif

} // namespace X11WindowManager
