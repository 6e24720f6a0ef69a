// The catalogue of the application's shader programs.
#include "Application.h"

void Application::initShaders(const std::string& /*resourceDir*/) {}
