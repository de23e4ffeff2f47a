#pragma once
// Worked explanations after a final wrong answer.
namespace velmora {

class Session;

// True for the themes that show a worked explanation instead of the bare answer.
bool HasWorkedExplanation(int themeCode);
// Draws the explanation of the current exercise into TextBitmap from the given line on.
// Until a theme's explanation is written it shows the bare correct answer.
void DrawWorkedExplanation(Session& session, double line);
// The bare correct answer in red at the margin on the given line, with AnswerUnit.
void DrawBareAnswer(Session& session, double line);

}  // namespace velmora
