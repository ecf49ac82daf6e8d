#include "editor_support/workspace/work_space.h"

UWorkSpace::~UWorkSpace() = default;

void UWorkSpace::InitEnv(HWND /*window*/) {}
void UWorkSpace::DeInit() {}
void UWorkSpace::Render(QPainter* /*dc*/) {}
void UWorkSpace::OnKeyDown(unsigned int /*character*/, unsigned int /*repeatCount*/,
                           unsigned int /*flags*/) {}
void UWorkSpace::OnLBDown(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnLBUp(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnMBDown(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnMBUp(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnMouseMove(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnRBDown(unsigned int /*flags*/, UPoint /*point*/) {}
void UWorkSpace::OnTimer() {}
void UWorkSpace::ZoomIn() {}
void UWorkSpace::ZoomOut() {}
