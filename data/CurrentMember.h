#pragma once

struct MemberRecord;

// Where the pages inside the main window find the start page's current member
// record (the member header of the capture, comparison and report pages) without
// reaching up into the screen chain. The start page owns the record and
// registers it for as long as it lives.
//
// Threading: GUI thread only.
class CurrentMember {
public:
    // The start page registers its record; nullptr unregisters.
    static void set(const MemberRecord* record);
    // The registered record, or an empty record (selected 0) when none is.
    static const MemberRecord& get();
};
