#ifndef TARN_UTILS_CSINGLETON_H
#define TARN_UTILS_CSINGLETON_H

#include <memory>

namespace tarn {

// Process-wide instance created on first use and deleted on request.
// A class that wants a private constructor befriends CSingleton<itself>.
template <class T>
class CSingleton
{
public:
    // The instance; created by this call when there is none.
    static T* GetSingletonPtr()
    {
        if( !ourInstance )
            ourInstance.reset( new T );
        return ourInstance.get();
    }

    // Deletes the instance; the next GetSingletonPtr makes a fresh one.
    static void DeleteSingleton() { ourInstance.reset(); }

    static bool HasSingleton() { return ourInstance != nullptr; }

protected:
    CSingleton() = default;

private:
    static inline std::unique_ptr<T> ourInstance;
};

} // namespace tarn

#endif
