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

} // namespace

ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId)
{
    const int slot = SlotOf(answers, threadId);
    if (slot < 0)
        return ThreadNotAsked;
    return answers.answered[slot] ? ThreadAnswered : ThreadSilent;
}

void NoteThreadAnswer(ThreadAnswers *answers, DWORD threadId, bool answered)
{
    int slot = SlotOf(*answers, threadId);
    if (slot < 0) {
        if (answers->count >= THREAD_ANSWER_SLOTS)
            return;
        slot = answers->count++;
        answers->threadId[slot] = threadId;
    }
    answers->answered[slot] = answered;
}
