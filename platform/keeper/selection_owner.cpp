#include "platform/keeper/selection_owner.h"

#include "platform/keeper/keeper_protocol.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Names of CSelectionOwner::Atom, in its order.
const char* const ATOM_NAMES[] = {
    "CLIPBOARD", "TARGETS", "TIMESTAMP", "UTF8_STRING", "TEXT", "text/plain;charset=utf-8",
};

// libxcb hands out replies and events in malloc'd blocks.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

// Events come with the high bit set when another client sent them.
constexpr uint8_t EVENT_TYPE_MASK = 0x7f;

} // namespace

CSelectionOwner::CSelectionOwner(std::string strText)
    : m_strText(std::move(strText)),
      m_bAscii(std::all_of(m_strText.begin(), m_strText.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {}

CSelectionOwner::~CSelectionOwner() {
    if (m_pConnection != nullptr) {
        xcb_disconnect(m_pConnection);
    }
}

int CSelectionOwner::Take() {
    int nScreen = 0;
    m_pConnection = xcb_connect(nullptr, &nScreen);
    if (xcb_connection_has_error(m_pConnection) != 0) {
        return KEEPER_NO_DISPLAY;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection));
    for (; it.rem > 0 && nScreen > 0; --nScreen) {
        xcb_screen_next(&it);
    }
    if (it.rem == 0) {
        return KEEPER_NO_DISPLAY;
    }
    // An input-only window that is never mapped: it only names the owner and receives requests.
    m_nWindow = xcb_generate_id(m_pConnection);
    const uint32_t nEventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, m_nWindow, it.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &nEventMask);
    if (!InternAtoms() || !ServerTime(&m_nTime)) {
        return KEEPER_NO_DISPLAY;
    }
    const xcb_atom_t nClipboard = m_aAtoms[static_cast<int>(Atom::Clipboard)];
    xcb_set_selection_owner(m_pConnection, m_nWindow, nClipboard, m_nTime);
    XcbPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_pConnection, xcb_get_selection_owner(m_pConnection, nClipboard), nullptr));
    if (owner == nullptr) {
        return KEEPER_NO_DISPLAY;
    }
    return owner->owner == m_nWindow ? KEEPER_SERVING : KEEPER_NOT_OWNER;
}

bool CSelectionOwner::InternAtoms() {
    xcb_intern_atom_cookie_t aCookies[static_cast<int>(Atom::Count)];
    for (int i = 0; i < static_cast<int>(Atom::Count); ++i) {
        aCookies[i] = xcb_intern_atom(m_pConnection, 0, std::strlen(ATOM_NAMES[i]), ATOM_NAMES[i]);
    }
    bool bAll = true;
    for (int i = 0; i < static_cast<int>(Atom::Count); ++i) {
        XcbPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_pConnection, aCookies[i], nullptr));
        bAll = bAll && reply != nullptr;
        m_aAtoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return bAll;
}

bool CSelectionOwner::ServerTime(xcb_timestamp_t* pTime) {
    // Appending nothing changes no value but still reports the change, with the server's time.
    xcb_change_property(m_pConnection, XCB_PROP_MODE_APPEND, m_nWindow, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(m_pConnection);
    while (XcbPtr<xcb_generic_event_t> event{xcb_wait_for_event(m_pConnection)}) {
        if ((event->response_type & EVENT_TYPE_MASK) == XCB_PROPERTY_NOTIFY) {
            *pTime = reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
            return true;
        }
    }
    return false;
}

void CSelectionOwner::Serve() {
    const xcb_atom_t nClipboard = m_aAtoms[static_cast<int>(Atom::Clipboard)];
    // No event means the connection broke: the display is gone, and the clipboard with it.
    while (XcbPtr<xcb_generic_event_t> event{xcb_wait_for_event(m_pConnection)}) {
        const uint8_t nType = event->response_type & EVENT_TYPE_MASK;
        if (nType == XCB_SELECTION_CLEAR &&
            reinterpret_cast<xcb_selection_clear_event_t*>(event.get())->selection == nClipboard) {
            return;
        }
        if (nType == XCB_SELECTION_REQUEST) {
            Answer(*reinterpret_cast<xcb_selection_request_event_t*>(event.get()));
        }
        // Errors (a requestor window gone before its answer) and anything else need nothing.
    }
}

void CSelectionOwner::Answer(const xcb_selection_request_event_t& request) {
    // Programs from before the property field name none and expect the target's name.
    const xcb_atom_t nProperty = request.property != XCB_NONE ? request.property : request.target;
    // A request older than the ownership was meant for the owner before.
    const bool bCurrent = request.time == XCB_CURRENT_TIME || request.time >= m_nTime;
    const bool bDone = bCurrent &&
                       request.selection == m_aAtoms[static_cast<int>(Atom::Clipboard)] &&
                       Convert(request.requestor, nProperty, request.target);

    xcb_selection_notify_event_t notify = {};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = bDone ? nProperty : XCB_NONE;
    xcb_send_event(m_pConnection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_pConnection);
}

bool CSelectionOwner::Convert(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t target) {
    const auto atom = [this](Atom a) { return m_aAtoms[static_cast<int>(a)]; };
    if (target == atom(Atom::Targets)) {
        std::vector<xcb_atom_t> targets = {atom(Atom::Targets), atom(Atom::Timestamp),
                                           atom(Atom::Utf8String), atom(Atom::MimeUtf8),
                                           atom(Atom::Text)};
        if (m_bAscii) {
            targets.push_back(XCB_ATOM_STRING);
        }
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property,
                            XCB_ATOM_ATOM, 32, targets.size(), targets.data());
        return true;
    }
    if (target == atom(Atom::Timestamp)) {
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property,
                            XCB_ATOM_INTEGER, 32, 1, &m_nTime);
        return true;
    }
    // TEXT leaves the encoding to the owner.
    xcb_atom_t nType = XCB_ATOM_NONE;
    if (target == atom(Atom::Utf8String) || target == atom(Atom::Text)) {
        nType = atom(Atom::Utf8String);
    } else if (target == atom(Atom::MimeUtf8) || (target == XCB_ATOM_STRING && m_bAscii)) {
        nType = target;
    } else {
        return false;
    }
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property, nType, 8,
                        m_strText.size(), m_strText.data());
    return true;
}
