// What one sweep or restore has learnt of the threads whose windows it moves.
// A thread is asked once per sweep whether it answers, and a thread is waited
// for at most once, so a frozen program with many windows costs a sweep one
// wait, not one per window.
#ifndef BRELLOX_THREAD_ANSWERS_H
#define BRELLOX_THREAD_ANSWERS_H

#include "../platform/platform_types.h"

// A desktop has a few dozen programs; threads past these are asked again at
// each of their windows, which costs time but never a wrong verdict.
enum { THREAD_ANSWER_SLOTS = 64 };

enum ThreadAnswer {
    ThreadNotAsked, // not met yet
    ThreadAnswered, // answered in time when asked: its windows are moved and each move waited for
    ThreadBehind,   // answered, then did not finish a move in time: its windows are still moved, as
                    // it was answering when met, but no move of it is waited for again
    ThreadSilent,   // did not answer in time when asked: its windows are left alone
};

struct ThreadAnswers {
    DWORD threadId[THREAD_ANSWER_SLOTS];
    ThreadAnswer answer[THREAD_ANSWER_SLOTS];
    int count;
};

void ForgetThreadAnswers(ThreadAnswers *answers);
ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId);
// Notes whether the thread answered when asked, before any of its windows moved.
void NoteThreadAsked(ThreadAnswers *answers, DWORD threadId, bool answered);
// Notes that a move posted to the thread was not done in time. A silent thread
// stays silent.
void NoteThreadBehind(ThreadAnswers *answers, DWORD threadId);

#endif
