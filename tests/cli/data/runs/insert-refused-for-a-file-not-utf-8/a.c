int f();
// ‡Œv
