namespace app {

	/*
	 * Œ”‚ğ”‚¦‚é
	 * Count
	 * @param list (const LIST *) ”‚¦‚éˆê——
	 * @param kind (int) í—Ş
	 * @return int Œ”
	 * R“c 2024/04/01
	 */
	int Count(const LIST *list, int kind, int max)
	{
	    return 0;
	}
}
