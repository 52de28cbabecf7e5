#include "leave_list.h"

#include <string.h>

namespace {

bool IsLeadByte(const LeadBytes &lead, char c)
{
    const BYTE b = static_cast<BYTE>(c);
    for (int i = 0; i + 1 < static_cast<int>(sizeof(lead.ranges)) && lead.ranges[i] != 0; i += 2) {
        if (b >= lead.ranges[i] && b <= lead.ranges[i + 1])
            return true;
    }
    return false;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const LeadBytes &lead, const char *a, const char *b)
{
    while (*a != '\0' && *b != '\0') {
        if (IsLeadByte(lead, *a)) {
            // A double-byte character: both halves exactly; a lead byte
            // cut off at the end compares as itself.
            if (*a != *b)
                return false;
            ++a;
            ++b;
            if (*a == '\0' || *b == '\0')
                break;
            if (*a++ != *b++)
                return false;
            continue;
        }
        if (Lower(*a++) != Lower(*b++))
            return false;
    }
    return *a == '\0' && *b == '\0';
}

} // namespace

void ParseLeaveList(const char *text, const LeadBytes &lead, LeaveList *list)
{
    list->count = 0;
    list->lead = lead;
    size_t length = 0;
    const char *end = text + strnlen(text, LEAVE_VALUE_LONGEST);
    while (text < end) {
        const char *comma = static_cast<const char *>(memchr(text, ',', static_cast<size_t>(end - text)));
        const char *next = comma != NULL ? comma : end;
        const char *first = text;
        const char *last = next;
        while (first < last && IsBlank(*first))
            ++first;
        while (last > first && IsBlank(last[-1]))
            --last;
        if (first < last) {
            // The names and their ends never take more room than the text.
            memcpy(list->names + length, first, static_cast<size_t>(last - first));
            length += static_cast<size_t>(last - first);
            list->names[length++] = '\0';
            ++list->count;
        }
        text = comma != NULL ? comma + 1 : end;
    }
}

bool ReadLeaveList(const SettingsSource *source, const LeadBytes &lead, LeaveList *list)
{
    char value[LEAVE_BUFFER];
    source->ReadText(source->context, "Leave", "", value, LEAVE_BUFFER);
    value[LEAVE_BUFFER - 1] = '\0';
    const bool fits = strlen(value) <= LEAVE_VALUE_LONGEST;
    ParseLeaveList(fits ? value : "", lead, list);
    return fits;
}

bool LeaveListNames(const LeaveList &list, const char *name)
{
    const char *listed = list.names;
    for (int i = 0; i < list.count; ++i) {
        if (SameName(list.lead, listed, name))
            return true;
        listed += strlen(listed) + 1;
    }
    return false;
}

bool LeaveListNamesProgram(const LeaveList &list, const char *imagePath)
{
    if (list.count == 0)
        return false;
    const char *fileName = imagePath;
    for (const char *c = imagePath; *c != '\0'; ++c) {
        if (IsLeadByte(list.lead, *c)) {
            if (c[1] == '\0')
                break;
            ++c;
        } else if (*c == '\\' || *c == '/') {
            fileName = c + 1;
        }
    }
    return LeaveListNames(list, fileName);
}
