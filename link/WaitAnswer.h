#pragma once
// The waiting convention of the workflows: a result slot holds -1 while its answer is
// pending and the Result of the latest answer afterwards.
namespace comm {

// Sets the slot to -1, then sleeps 1 ms and processes pending events until an answer has
// stored a Result (0 or more) in it. Answers, timer ticks and other operator actions run
// inside the wait. It has no time-out: the server answers every one-shot request.
void WaitAnswer(int& slot);

}  // namespace comm
