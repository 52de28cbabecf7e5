// The settings' Leave list at start-up: read once, before any sweep can run,
// and a value too long to use told to the user.
#ifndef BRELLOX_LEAVE_LIST_WIN32_H
#define BRELLOX_LEAVE_LIST_WIN32_H

// Reads the list into g_LeaveList with the ANSI code page's lead bytes.
// Returns false when the value is too long to use; the list is then empty.
bool StartLeaveList();
// Says in a message box that the list is too long and every window is judged
// as without it.
void TellLeaveListTooLong();

#endif
