#pragma once
#ifdef __cplusplus
extern "C" {
#endif

int Open(const char *path, int mode);
int Close(int handle);

#ifdef __cplusplus
}
#endif

class CFile {
public:
    explicit CFile(const char *path);
    bool IsOpen() const;
};
