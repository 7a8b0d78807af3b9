// ‡Œv

	/*
	 * ŠÖ”: f
	 * ˆø”: int a
	 * ˆø”: int b
	 */
	int f(int a, int b);
