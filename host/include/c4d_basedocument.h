// BaseDocument: a scene. It owns its objects (a tree), its shaders, its render settings (a
// list with one active), its render view, and its undo steps.
#pragma once

#include "c4d_baselink.h"
#include "c4d_baselist.h"
#include "c4d_basetime.h"
#include "c4d_filename.h"

#include <memory>
#include <vector>

class BaseDraw;
class BaseShader;
class BaseObject;
class BaseTag;
class BaseThread;
class RenderData;

namespace host {
class UndoStep;
} // namespace host

inline constexpr Int32 Tbasedocument = 110059;

// Document parameters (its container): what the renderer shows around the scene.
enum : Int32 {
    DOCUMENT_ENVIRONMENT_IMAGE = 1000, // Filename: an equirectangular panorama; empty: the sky
    DOCUMENT_ENVIRONMENT_GRID = 1001,  // Float: the procedural sky's ground grid, scene units
    DOCUMENT_AMBIENT = 1002,           // Vector: light that reaches every surface, 0..1
};

enum : Int32 {
    SELECTION_NEW = 0, // the only selected one
    SELECTION_ADD = 1, // selected as well
    SELECTION_SUB = 2, // deselected
};

enum UNDOTYPE : Int32 {
    UNDOTYPE_NONE = 0,
    UNDOTYPE_CHANGE = 40,       // before a change: the node's parameters, name, bits, transform
    UNDOTYPE_CHANGE_SMALL = 41, // before a change: the node's parameters only
    UNDOTYPE_NEW = 44,          // after inserting a new node: undo deletes it
    UNDOTYPE_DELETE = 45,       // before removing a node: undo puts it back where it was
};

class BaseDocument : public BaseList2D {
public:
    BaseDocument();
    ~BaseDocument() override;
    static BaseDocument* Alloc() { return new BaseDocument(); }
    static void Free(BaseDocument*& doc) {
        host::FreeNode(doc);
        doc = nullptr;
    }

    // ---- Objects ---------------------------------------------------------------------------
    BaseObject* GetFirstObject() const;
    // After pred when given, else as parent's first child when given, else as the document's
    // first object. The document owns op afterwards.
    void InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred);
    // The first object in tree order with that name, or null.
    BaseObject* SearchObject(const String& name) const;

    // The active object and tag (null when none or when it left the document).
    BaseObject* GetActiveObject() const;
    void SetActiveObject(BaseObject* op, Int32 mode = SELECTION_NEW);
    BaseTag* GetActiveTag() const;
    void SetActiveTag(BaseTag* tag, Int32 mode = SELECTION_NEW);

    // ---- Shaders ---------------------------------------------------------------------------
    // Shaders are any BaseList2D the shader classes derive from; the document owns them.
    void InsertShader(BaseList2D* shader, BaseList2D* pred = nullptr);
    BaseList2D* GetFirstShaderNode() const;
    // Typed: GetFirstShader() gives a BaseShader* where c4d_shader.h is included.
    template <typename S = BaseShader> S* GetFirstShader() const {
        return static_cast<S*>(GetFirstShaderNode());
    }

    // ---- Render settings -------------------------------------------------------------------
    RenderData* GetFirstRenderData() const;
    // After pred, or first when pred is null. The first inserted render data becomes active.
    void InsertRenderData(RenderData* rd, RenderData* pred = nullptr);
    void InsertRenderDataLast(RenderData* rd);
    // The active render data; null when the document has none.
    RenderData* GetActiveRenderData() const;
    void SetActiveRenderData(RenderData* rd);

    // The view the renderer renders from, and the active editor view (the same view here).
    BaseDraw* GetRenderBaseDraw() const { return renderView_; }
    BaseDraw* GetActiveBaseDraw() const { return renderView_; }

    // ---- Time ------------------------------------------------------------------------------
    BaseTime GetMinTime() const { return minTime_; }
    void SetMinTime(const BaseTime& t) { minTime_ = t; }
    BaseTime GetMaxTime() const { return maxTime_; }
    void SetMaxTime(const BaseTime& t) { maxTime_ = t; }
    BaseTime GetTime() const { return time_; }
    void SetTime(const BaseTime& t) { time_ = t; }
    Int32 GetFps() const { return fps_; }
    void SetFps(Int32 fps) { fps_ = fps; }

    // ---- Name and place --------------------------------------------------------------------
    Filename GetDocumentName() const { return documentName_; }
    void SetDocumentName(const Filename& name) { documentName_ = name; }
    Filename GetDocumentPath() const { return documentPath_; }
    void SetDocumentPath(const Filename& path) { documentPath_ = path; }

    // ---- Undo ------------------------------------------------------------------------------
    // StartUndo opens a group (nested calls nest; the outermost EndUndo closes it). AddUndo
    // records one change inside an open group; false outside one or for a null node. DoUndo
    // reverts the last closed group, records in reverse order, and tells every tag of the
    // document (MSG_DOCUMENTINFO_TYPE_UNDO); false when there is nothing to undo.
    Bool StartUndo();
    Bool AddUndo(UNDOTYPE type, BaseList2D* node);
    Bool EndUndo();
    Bool DoUndo();
    Int32 GetUndoCount() const { return static_cast<Int32>(undoSteps_.size()); }

    // ---- Evaluation ------------------------------------------------------------------------
    // Runs the Execute of every expression tag in tree order. True unless a tag reports an error.
    Bool ExecutePasses(BaseThread* bt, Bool animation, Bool expressions, Bool caches, Int32 flags);

private:
    friend struct host::NodeAccess;
    GeListHead objects_;
    GeListHead shaders_;
    GeListHead renderData_;
    BaseLink activeObject_;
    BaseLink activeTag_;
    BaseLink activeRenderData_;
    BaseDraw* renderView_;
    BaseTime minTime_{0.0, 30.0};
    BaseTime maxTime_{90.0, 30.0};
    BaseTime time_{0.0, 30.0};
    Int32 fps_ = 30;
    Filename documentName_{"Untitled"};
    Filename documentPath_;
    Int32 undoDepth_ = 0;
    std::unique_ptr<host::UndoStep> openStep_;
    std::vector<std::unique_ptr<host::UndoStep>> undoSteps_;
};

// The document the user works in; null when there is none. The host application sets it.
BaseDocument* GetActiveDocument();
void SetActiveDocument(BaseDocument* doc);
