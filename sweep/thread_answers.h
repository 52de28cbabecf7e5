// What one sweep or restore has learnt of the threads whose windows it moves:
// whether each answered in time. A thread is asked once per sweep, and one that
// did not answer is not waited for again, so a frozen program with many windows
// costs a sweep one wait, not one per window.
#ifndef BRELLOX_THREAD_ANSWERS_H
#define BRELLOX_THREAD_ANSWERS_H

#include "../platform/platform_types.h"

// A desktop has a few dozen programs; threads past these are asked again at
// each of their windows, which costs time but never a wrong verdict.
enum { THREAD_ANSWER_SLOTS = 64 };

enum ThreadAnswer { ThreadNotAsked, ThreadAnswered, ThreadSilent };

struct ThreadAnswers {
    DWORD threadId[THREAD_ANSWER_SLOTS];
    bool answered[THREAD_ANSWER_SLOTS];
    int count;
};

void ForgetThreadAnswers(ThreadAnswers *answers);
ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId);
// Notes whether the thread answered; a thread noted before takes the new answer.
void NoteThreadAnswer(ThreadAnswers *answers, DWORD threadId, bool answered);

#endif
