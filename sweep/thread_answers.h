// What one sweep or restore has learnt of the threads whose windows it moves.
// Every thread concerned is asked once, all of them at once, and the sweep or
// restore then waits once for their answers, so any number of frozen programs
// cost it one wait, not one each.
#ifndef BRELLOX_THREAD_ANSWERS_H
#define BRELLOX_THREAD_ANSWERS_H

#include "../platform/platform_types.h"

// A desktop has a few dozen programs; a thread past these is asked on its own
// at each of its windows, within what is left of the wait.
enum { THREAD_ANSWER_SLOTS = 256 };

enum ThreadAnswer {
    ThreadNotAsked, // not met yet
    ThreadAsking,   // asked, no answer yet
    ThreadAnswered, // answered: its windows are moved
    ThreadSilent,   // did not answer within the wait: its windows are left alone
};

struct ThreadAnswers {
    DWORD threadId[THREAD_ANSWER_SLOTS];
    ThreadAnswer answer[THREAD_ANSWER_SLOTS];
    int count;
    // Counts the sweeps and restores, so that an answer that comes after its
    // own ended is told from one of the sweep under way.
    unsigned round;
};

// Starts a sweep or restore knowing nothing of any thread.
void ForgetThreadAnswers(ThreadAnswers *answers);
ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId);
// Notes that the thread was asked, and returns the ticket its answer is to
// bring back; 0 when every slot is taken (it is then not noted).
unsigned NoteThreadAsking(ThreadAnswers *answers, DWORD threadId);
// Notes the answer that brought that ticket; one of an earlier round, or of
// a thread already counted silent, changes nothing.
void NoteAnswer(ThreadAnswers *answers, unsigned ticket);
// Notes that the question that ticket went with could not be asked.
void NoteNoAnswer(ThreadAnswers *answers, unsigned ticket);
bool AnyThreadAsking(const ThreadAnswers &answers);
// The wait is over: every thread still asked counts as silent.
void SilenceUnanswered(ThreadAnswers *answers);

#endif
