#include "CurrentMember.h"

#include "MemberRecord.h"

namespace {
const MemberRecord* g_record = nullptr;
}

void CurrentMember::set(const MemberRecord* record) {
    g_record = record;
}

const MemberRecord& CurrentMember::get() {
    static const MemberRecord empty;
    return g_record ? *g_record : empty;
}
