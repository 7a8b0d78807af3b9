#pragma once

#include <xcb/xcb.h>

#include <string>

// Owns the X11 CLIPBOARD selection with one UTF-8 text and answers every program that asks for
// it, on a display connection of its own.
class CSelectionOwner {
public:
    explicit CSelectionOwner(std::string strText);
    ~CSelectionOwner();
    CSelectionOwner(const CSelectionOwner&) = delete;
    CSelectionOwner& operator=(const CSelectionOwner&) = delete;

    // Connects to $DISPLAY and takes the clipboard. KEEPER_SERVING once the display reports this
    // keeper as its owner; otherwise KEEPER_NO_DISPLAY or KEEPER_NOT_OWNER, the clipboard left to
    // whoever held it.
    int Take();
    // Serves the text until another program takes the clipboard or the display connection ends
    // (the server gone or reset); returns then, the clipboard no longer this keeper's.
    void Serve();

private:
    // The atoms this keeper speaks, interned once.
    enum class Atom { Clipboard, Targets, Timestamp, Utf8String, Text, MimeUtf8, Count };

    bool InternAtoms();
    // The server's time now, from a change to a property of the keeper's own window: a selection
    // taken at CurrentTime cannot tell older requests from newer ones.
    bool ServerTime(xcb_timestamp_t* pTime);
    void Answer(const xcb_selection_request_event_t& request);
    // Writes the value for `target` into `property` of the requestor; false when the keeper
    // does not offer that target.
    bool Convert(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t target);

    std::string m_strText;
    bool m_bAscii; // the text is also valid as STRING (Latin-1), which old programs ask for
    xcb_connection_t* m_pConnection = nullptr;
    xcb_window_t m_nWindow = XCB_NONE;
    xcb_timestamp_t m_nTime = XCB_CURRENT_TIME;
    xcb_atom_t m_aAtoms[static_cast<int>(Atom::Count)] = {};
};
