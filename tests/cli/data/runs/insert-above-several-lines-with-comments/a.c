    int f(int a, /* first; { */
          int b) // last {
    ;
