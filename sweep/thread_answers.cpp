#include "thread_answers.h"

void ForgetThreadAnswers(ThreadAnswers *answers)
{
    answers->count = 0;
}

namespace {

int SlotOf(const ThreadAnswers &answers, DWORD threadId)
{
    for (int i = 0; i < answers.count; ++i) {
        if (answers.threadId[i] == threadId)
            return i;
    }
    return -1;
}

// Sets the thread's answer, taking a new slot for a thread not noted before;
// a full memory notes no new thread.
void Note(ThreadAnswers *answers, DWORD threadId, ThreadAnswer answer)
{
    int slot = SlotOf(*answers, threadId);
    if (slot < 0) {
        if (answers->count >= THREAD_ANSWER_SLOTS)
            return;
        slot = answers->count++;
        answers->threadId[slot] = threadId;
    } else if (answers->answer[slot] == ThreadSilent) {
        return;
    }
    answers->answer[slot] = answer;
}

} // namespace

ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId)
{
    const int slot = SlotOf(answers, threadId);
    return slot < 0 ? ThreadNotAsked : answers.answer[slot];
}

void NoteThreadAsked(ThreadAnswers *answers, DWORD threadId, bool answered)
{
    Note(answers, threadId, answered ? ThreadAnswered : ThreadSilent);
}

void NoteThreadBehind(ThreadAnswers *answers, DWORD threadId)
{
    Note(answers, threadId, ThreadBehind);
}
