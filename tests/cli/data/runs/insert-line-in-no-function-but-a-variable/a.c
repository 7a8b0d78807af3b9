int f;
