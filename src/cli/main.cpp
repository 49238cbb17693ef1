// ordalis-post: the batch post-processor. Placeholder until the conversion engine lands.
#include <cstdio>

int main() {
  std::puts("ordalis-post: conversion engine not built yet");
  return 0;
}
