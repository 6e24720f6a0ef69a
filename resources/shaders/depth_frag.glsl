#version 330 core
// Shadow pass: only depth is written.
void main() {}
