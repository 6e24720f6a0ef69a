#version 330 core
// The depth buffer is the only output of the shadow pass.
void main() {}
