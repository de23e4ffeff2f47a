#pragma once
// After a final wrong answer: the bare correct answer, for themes without a worked
// explanation of their own (those sit beside their generators; see ThemeDescriptor).
namespace velmora {

class Session;

// The correct answer in red at the margin on the given line, with AnswerUnit.
void DrawBareAnswer(Session& session, double line);

}  // namespace velmora
