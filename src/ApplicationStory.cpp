// The story: the intro's lines and the heads-up display of a run.
#include "Application.h"

void Application::intro(int /*width*/, int /*height*/) {}

void Application::drawHUD(int /*width*/, int /*height*/) {}
