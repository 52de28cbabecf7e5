#include "thread_answers.h"

namespace {

// A ticket holds the slot in its low byte and the round above it; the round
// starts at 1, so no ticket is 0.
const unsigned kSlotBits = 8;

int SlotOf(const ThreadAnswers &answers, DWORD threadId)
{
    for (int i = 0; i < answers.count; ++i) {
        if (answers.threadId[i] == threadId)
            return i;
    }
    return -1;
}

} // namespace

void ForgetThreadAnswers(ThreadAnswers *answers)
{
    answers->count = 0;
    // Rounds wrap within the ticket's bits, never to 0.
    answers->round = answers->round % ((~0u >> kSlotBits) - 1) + 1;
}

ThreadAnswer LookUpThreadAnswer(const ThreadAnswers &answers, DWORD threadId)
{
    const int slot = SlotOf(answers, threadId);
    return slot < 0 ? ThreadNotAsked : answers.answer[slot];
}

unsigned NoteThreadAsking(ThreadAnswers *answers, DWORD threadId)
{
    if (answers->round == 0 || answers->count >= THREAD_ANSWER_SLOTS || SlotOf(*answers, threadId) >= 0)
        return 0;
    const int slot = answers->count++;
    answers->threadId[slot] = threadId;
    answers->answer[slot] = ThreadAsking;
    return answers->round << kSlotBits | static_cast<unsigned>(slot);
}

namespace {

// Settles the question of that ticket, if it is of this round and still open.
void Settle(ThreadAnswers *answers, unsigned ticket, ThreadAnswer answer)
{
    const int slot = static_cast<int>(ticket & ((1u << kSlotBits) - 1));
    if ((ticket >> kSlotBits) != answers->round || slot >= answers->count || answers->answer[slot] != ThreadAsking)
        return;
    answers->answer[slot] = answer;
}

} // namespace

void NoteAnswer(ThreadAnswers *answers, unsigned ticket)
{
    Settle(answers, ticket, ThreadAnswered);
}

void NoteNoAnswer(ThreadAnswers *answers, unsigned ticket)
{
    Settle(answers, ticket, ThreadSilent);
}

bool AnyThreadAsking(const ThreadAnswers &answers)
{
    for (int i = 0; i < answers.count; ++i) {
        if (answers.answer[i] == ThreadAsking)
            return true;
    }
    return false;
}

void SilenceUnanswered(ThreadAnswers *answers)
{
    for (int i = 0; i < answers->count; ++i) {
        if (answers->answer[i] == ThreadAsking)
            answers->answer[i] = ThreadSilent;
    }
}
