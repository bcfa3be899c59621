// Base of every serialisable scene class.
#pragma once

class KV_IOF_Virtual;

class KV_IOF_Item {
public:
    virtual ~KV_IOF_Item() = default;
    // Writes the class's record: the exact mirror of its reader.
    virtual void Write(KV_IOF_Virtual& archive) const = 0;
};
