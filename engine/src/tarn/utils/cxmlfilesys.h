#ifndef TARN_UTILS_CXMLFILESYS_H
#define TARN_UTILS_CXMLFILESYS_H

#include <cstddef>
#include <string>

namespace tarn {

class CXmlNode;

// The cursor a Serialize function works with: it reads the fields of one
// element or writes them into it. Reading looks fields up in the order they
// are bound and still finds them when a file has them in another order, at
// the cost of a warning in the log.
class CXmlFileSys
{
public:
    enum Mode
    {
        READING,
        WRITING
    };

    // node is not owned and must outlive the cursor.
    CXmlFileSys( CXmlNode* node, Mode mode );

    bool IsReading() const { return myMode == READING; }
    bool IsWriting() const { return myMode == WRITING; }

    // Where the Serialize code that binds the next field is, for warnings.
    void SetSourceFile( const std::string& file ) { mySourceFile = file; }
    void SetSourceLine( int line ) { mySourceLine = line; }
    void SetWarnings( bool on ) { myWarnings = on; }

    CXmlNode* GetCurrentNode() const { return myCurrent; }

    // Whether the current node has a child of that name.
    bool HasChild( const std::string& name ) const;
    // The next child of that name in bound order, or null; see the .cpp.
    CXmlNode* FindChild( const std::string& name );

    // Writing: adds a child element and makes it current. Reading: nothing.
    CXmlNode* StartNode( const std::string& name );
    // Attribute of the current node (writing; the first value wins).
    void AddAttribute( const std::string& name, const std::string& value );
    bool HasAttribute( const std::string& name ) const;
    // "" when the current node has no such attribute.
    std::string GetAttribute( const std::string& name ) const;
    // Back to the parent of the current node, never above the cursor's own
    // node; warns when name is not the current node's.
    void EndNode( const std::string& name );

    // Logs that the text of key could not be read as the field's type.
    void WarnUnreadable( const std::string& key, const std::string& text ) const;

private:
    std::string Location() const;

    std::string mySourceFile;
    int mySourceLine = 0;
    bool myWarnings = true;
    Mode myMode;
    CXmlNode* myRoot;
    CXmlNode* myCurrent;
    std::size_t myCursor = 0;
};

} // namespace tarn

#endif
