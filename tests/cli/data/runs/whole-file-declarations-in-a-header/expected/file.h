#pragma once
#ifdef __cplusplus
extern "C" {
#endif

/*
 * 
 * Open
 * @param path (const char *) 
 * @param mode (int) 
 * @return int 
 * x d
 */
int Open(const char *path, int mode);
/*
 * 
 * Close
 * @param handle (int) 
 * @return int 
 * x d
 */
int Close(int handle);

#ifdef __cplusplus
}
#endif

class CFile {
public:
    /*
     * 
     * CFile
     * @param path (const char *) 
     * @return  
     * x d
     */
    explicit CFile(const char *path);
    /*
     * 
     * IsOpen
     * @return bool 
     * x d
     */
    bool IsOpen() const;
};
