<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Quillet</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>类别:</source>
        <translation>Categories:</translation>
    </message>
    <message>
        <source>命令:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>工具栏:</source>
        <translation>Toolbar:</translation>
    </message>
    <message>
        <source>所有命令</source>
        <translation>All Commands</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>—— 分隔符 ——</source>
        <translation>—— Separator ——</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message>
        <source>Toolbars</source>
        <translation>Toolbars</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>&amp;文件</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;新建</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;打开...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;保存</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>另存为...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导出到Symbian</source>
        <translation>Export to Symbian</translation>
    </message>
    <message>
        <source>导出到JAVA</source>
        <translation>Export to Java</translation>
    </message>
    <message>
        <source>导出到Xml</source>
        <translation>Export to XML</translation>
    </message>
    <message>
        <source>导出RWS</source>
        <translation>Export to RWS</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>导入ANM</source>
        <translation>Import ANM</translation>
    </message>
    <message>
        <source>导入Rws</source>
        <translation>Import RWS</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;编辑</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>框选</source>
        <translation>Box Select</translation>
    </message>
    <message>
        <source>全选	Ctrl+A</source>
        <translation>Select All	Ctrl+A</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>设置名字</source>
        <translation>Actor Name...</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background Color...</translation>
    </message>
    <message>
        <source>设置FPS</source>
        <translation>Frame Rate (FPS)...</translation>
    </message>
    <message>
        <source>&amp;查看</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;工具栏</source>
        <translation>&amp;Toolbars</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>适合窗口</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>实际大小</source>
        <translation>Actual Size</translation>
    </message>
    <message>
        <source>播放动画	Enter</source>
        <translation>Play Animation	Enter</translation>
    </message>
    <message>
        <source>停止播放	Enter</source>
        <translation>Stop Playback	Enter</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Loop Playback</translation>
    </message>
    <message>
        <source>重置窗口布局</source>
        <translation>Reset Window Layout</translation>
    </message>
    <message>
        <source>&amp;帮助</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;关于</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;Customize...</source>
        <translation>&amp;Customize...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>请输入大于 0 的数字</source>
        <translation>Enter a number greater than 0</translation>
    </message>
    <message>
        <source>关于 </source>
        <translation>About </translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>Unreadable</translation>
    </message>
    <message>
        <source>恢复文档</source>
        <translation>Recover Documents</translation>
    </message>
    <message>
        <source>上次编辑器意外退出，留下了以下未保存文档的恢复副本：</source>
        <translation>The editor ended unexpectedly last time and kept recovery copies of these unsaved documents:</translation>
    </message>
    <message>
        <source>&lt;b&gt;文档&lt;/b&gt;</source>
        <translation>&lt;b&gt;Document&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;时间&lt;/b&gt;</source>
        <translation>&lt;b&gt;Time&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;处理&lt;/b&gt;</source>
        <translation>&lt;b&gt;Action&lt;/b&gt;</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Recovered</translation>
    </message>
    <message>
        <source>以后再说</source>
        <translation>Decide Later</translation>
    </message>
    <message>
        <source>无法保存恢复副本：%1</source>
        <translation>Cannot save the recovery copy: %1</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>All Files (*.*)</translation>
    </message>
    <message>
        <source>无法打开文件 %1</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <source>请确要删除这个 TAG 吗?</source>
        <translation>Delete this tag?</translation>
    </message>
    <message>
        <source>请确要删除吗?</source>
        <translation>Delete it?</translation>
    </message>
    <message>
        <source>无法打开文件 %1：文件无法读取或已损坏。
%2</source>
        <translation>Cannot open the file %1: it cannot be read or is damaged.
%2</translation>
    </message>
    <message>
        <source>无法恢复文档 %1：恢复的副本已损坏</source>
        <translation>Cannot recover the document %1: the recovery copy is damaged</translation>
    </message>
    <message>
        <source>贴图文件名 %1 无法保存：文件名最多 31 个字节（GBK），且只能使用 GBK 字符。</source>
        <translation>The texture file name %1 cannot be saved: a file name holds at most 31 bytes (GBK) and only GBK characters.</translation>
    </message>
    <message>
        <source>以下贴图没有加入：%1</source>
        <translation>These textures were not added:%1</translation>
    </message>
    <message>
        <source>无法读取贴图 %1</source>
        <translation>Cannot read the texture %1</translation>
    </message>
    <message>
        <source>无法读取贴图 %1，原来的贴图保持不变。</source>
        <translation>Cannot read the texture %1; the texture stays as it was.</translation>
    </message>
    <message>
        <source>是否保存对 %1 的修改?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>无法保存文件 %1：%2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>帧号</source>
        <translation>Frame No.</translation>
    </message>
    <message>
        <source>帧名</source>
        <translation>Frame Name</translation>
    </message>
    <message>
        <source>动作名</source>
        <translation>Action Name</translation>
    </message>
    <message>
        <source>帧数</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>动作设置</source>
        <translation>Action Settings</translation>
    </message>
    <message>
        <source>动作</source>
        <translation>actions</translation>
    </message>
    <message>
        <source>当前选择Module</source>
        <translation>Selected Module</translation>
    </message>
    <message>
        <source>横向反转</source>
        <translation>Flip Horizontal</translation>
    </message>
    <message>
        <source>纵向反转</source>
        <translation>Flip Vertical</translation>
    </message>
    <message>
        <source>模块属性</source>
        <translation>Module Properties</translation>
    </message>
    <message>
        <source>基本属性</source>
        <translation>General</translation>
    </message>
    <message>
        <source>动作属性</source>
        <translation>Action Properties</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>原点</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>碰撞区域</source>
        <translation>Collision Box</translation>
    </message>
    <message>
        <source>触发区域</source>
        <translation>Trigger Areas</translation>
    </message>
    <message>
        <source>模块号</source>
        <translation>Module No.</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>名字</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>模块数</source>
        <translation>Modules</translation>
    </message>
    <message>
        <source>添加拷贝</source>
        <translation>Add Copy</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>确定要删除名为[ %1 ]的帧吗?</source>
        <translation>Delete the frame named [ %1 ]?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>标签属性</source>
        <translation>Tag Properties</translation>
    </message>
    <message>
        <source>Tag属性</source>
        <translation>Tag Properties</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>标签参数1</source>
        <translation>Param 1</translation>
    </message>
    <message>
        <source>标签参数2</source>
        <translation>Param 2</translation>
    </message>
    <message>
        <source>删除标签</source>
        <translation>Delete Tag</translation>
    </message>
    <message>
        <source>步骤</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>模块</source>
        <translation>Module</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>使用贴图</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source>宽高</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>色深</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>添加贴图</source>
        <translation>Add Texture</translation>
    </message>
    <message>
        <source>置换贴图</source>
        <translation>Replace Texture</translation>
    </message>
    <message>
        <source>删除贴图</source>
        <translation>Delete Texture</translation>
    </message>
    <message>
        <source>新建一个动画</source>
        <translation>Create a new animation</translation>
    </message>
    <message>
        <source>打开一个动画文件</source>
        <translation>Open an animation file</translation>
    </message>
    <message>
        <source>保存当前动画</source>
        <translation>Save the current animation</translation>
    </message>
    <message>
        <source>以新的名字保存当前动画</source>
        <translation>Save the current animation under a new name</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>打开此文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Quit the program</translation>
    </message>
    <message>
        <source>显示程序的名字和版本</source>
        <translation>Show the program&apos;s name and version</translation>
    </message>
    <message>
        <source>导出为 Symbian 格式（此版本不支持）</source>
        <translation>Export in Symbian format (not supported in this version)</translation>
    </message>
    <message>
        <source>导出为 JAVA 格式（此版本不支持）</source>
        <translation>Export in Java format (not supported in this version)</translation>
    </message>
    <message>
        <source>导出为 Xml 格式（此版本不支持）</source>
        <translation>Export in XML format (not supported in this version)</translation>
    </message>
    <message>
        <source>导出为 RWS 格式（此版本不支持）</source>
        <translation>Export in RWS format (not supported in this version)</translation>
    </message>
    <message>
        <source>导入 ANM 文件（此版本不支持）</source>
        <translation>Import an ANM file (not supported in this version)</translation>
    </message>
    <message>
        <source>导入 Rws 文件（此版本不支持）</source>
        <translation>Import an RWS file (not supported in this version)</translation>
    </message>
    <message>
        <source>Undo the last step</source>
        <translation>Undo the last step</translation>
    </message>
    <message>
        <source>Redo the step undone last</source>
        <translation>Redo the step undone last</translation>
    </message>
    <message>
        <source>Cut the selection to the clipboard</source>
        <translation>Cut the selection to the clipboard</translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard</source>
        <translation>Copy the selection to the clipboard</translation>
    </message>
    <message>
        <source>Insert what the clipboard holds</source>
        <translation>Insert what the clipboard holds</translation>
    </message>
    <message>
        <source>选择当前帧中的全部模块</source>
        <translation>Select every module of the current frame</translation>
    </message>
    <message>
        <source>修改动画的名字</source>
        <translation>Change the actor&apos;s name</translation>
    </message>
    <message>
        <source>选择视图的背景色</source>
        <translation>Choose the view&apos;s background color</translation>
    </message>
    <message>
        <source>设置播放的帧率</source>
        <translation>Set the playback frame rate</translation>
    </message>
    <message>
        <source>Show or hide this toolbar</source>
        <translation>Show or hide this toolbar</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>Choose the toolbars and their buttons</source>
        <translation>Choose the toolbars and their buttons</translation>
    </message>
    <message>
        <source>缩放并居中, 使显示的帧或选中的整个动作适合视图</source>
        <translation>Zoom and centre so that the shown frame, or the whole selected action, fits the view</translation>
    </message>
    <message>
        <source>以 100% 显示: 一个像素占屏幕上的一个像素</source>
        <translation>Show at 100%: one sprite pixel covers one screen pixel</translation>
    </message>
    <message>
        <source>恢复面板和工具栏的默认布局</source>
        <translation>Put the panes and toolbars back in their default layout</translation>
    </message>
    <message>
        <source>显示裁剪块面板</source>
        <translation>Show the module cutting pane</translation>
    </message>
    <message>
        <source>显示裁减块列表</source>
        <translation>Show the module list</translation>
    </message>
    <message>
        <source>显示帧面板</source>
        <translation>Show the frames pane</translation>
    </message>
    <message>
        <source>显示动作面板</source>
        <translation>Show the actions pane</translation>
    </message>
    <message>
        <source>显示动作帧面板</source>
        <translation>Show the action keys pane</translation>
    </message>
    <message>
        <source>显示属性面板</source>
        <translation>Show the properties pane</translation>
    </message>
    <message>
        <source>显示帧中模块面板</source>
        <translation>Show the frame modules pane</translation>
    </message>
    <message>
        <source>显示贴图列表</source>
        <translation>Show the texture list</translation>
    </message>
    <message>
        <source>显示动作帧编辑器</source>
        <translation>Show the timeline</translation>
    </message>
    <message>
        <source>显示帧中标签列表</source>
        <translation>Show the frame tags list</translation>
    </message>
    <message>
        <source>显示历史面板</source>
        <translation>Show the history pane</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放动画</source>
        <translation>Play Animation</translation>
    </message>
    <message>
        <source>停止播放</source>
        <translation>Stop Playback</translation>
    </message>
    <message>
        <source>框选：在动画视图中拖出方框，选择它碰到的帧中模块</source>
        <translation>Box select: drag a box in the animation view to select the placed modules it touches</translation>
    </message>
    <message>
        <source>中心点</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>打开网格</source>
        <translation>Show Grid</translation>
    </message>
    <message>
        <source>对齐</source>
        <translation>Snap</translation>
    </message>
    <message>
        <source>标签模式</source>
        <translation>Tag Mode</translation>
    </message>
    <message>
        <source>洋葱皮</source>
        <translation>Onion Skin</translation>
    </message>
    <message>
        <source>在当前帧后面淡淡地显示前后的帧: 之前的红色, 之后的绿色 (O)</source>
        <translation>Show the frames before (red) and after (green) faintly behind the current frame (O)</translation>
    </message>
    <message>
        <source>洋葱皮在每边显示 1 帧</source>
        <translation>Onion skin shows 1 frame on each side</translation>
    </message>
    <message>
        <source>洋葱皮在每边显示 2 帧</source>
        <translation>Onion skin shows 2 frames on each side</translation>
    </message>
    <message>
        <source>洋葱皮在每边显示 3 帧</source>
        <translation>Onion skin shows 3 frames on each side</translation>
    </message>
    <message>
        <source>横向翻转</source>
        <translation>Flip Horizontal</translation>
    </message>
    <message>
        <source>纵向翻转</source>
        <translation>Flip Vertical</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>裁剪块 MODULE</source>
        <translation>Cut Modules</translation>
    </message>
    <message>
        <source>裁减块列表 ModuleList</source>
        <translation>Modules</translation>
    </message>
    <message>
        <source>帧 FRAME</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>动作 ACTION</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>动作帧 ACTION_FRAME</source>
        <translation>Action Keys</translation>
    </message>
    <message>
        <source>属性 PROPERTY</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>帧中模块 FrameModule</source>
        <translation>Frame Modules</translation>
    </message>
    <message>
        <source>贴图列表</source>
        <translation>Textures</translation>
    </message>
    <message>
        <source>动作帧编辑器</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>帧中标签列表</source>
        <translation>Frame Tags</translation>
    </message>
    <message>
        <source>历史</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>此版本不支持</source>
        <translation>Not supported in this version</translation>
    </message>
    <message>
        <source>Quillen 动画文件 v1(*.an1)</source>
        <translation>Quillen animation v1 (*.an1)</translation>
    </message>
    <message>
        <source>组合OBJ 文件 (*.an1)|*.an1||</source>
        <translation>Actor files (*.an1)|*.an1||</translation>
    </message>
    <message>
        <source>请输入</source>
        <translation>Enter Text</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>添加标签</source>
        <translation>Add Tag</translation>
    </message>
    <message>
        <source>已选择 %d 个帧模块</source>
        <translation>%d placed modules selected</translation>
    </message>
    <message>
        <source>缩放 </source>
        <translation>Zoom </translation>
    </message>
    <message>
        <source>没有可适合窗口的内容</source>
        <translation>Nothing to fit to the window</translation>
    </message>
    <message>
        <source>没有可播放的动作: 请先为动作添加关键帧</source>
        <translation>No action to play: add keys to an action first</translation>
    </message>
    <message>
        <source>洋葱皮帧数</source>
        <translation>Onion Skin Frames</translation>
    </message>
    <message>
        <source>洋葱皮: 开</source>
        <translation>Onion skin: on</translation>
    </message>
    <message>
        <source>洋葱皮: 关</source>
        <translation>Onion skin: off</translation>
    </message>
    <message>
        <source>洋葱皮帧数: </source>
        <translation>Onion skin frames: </translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>添加裁剪块</source>
        <translation>Add Module</translation>
    </message>
    <message>
        <source>删除裁剪块</source>
        <translation>Delete Module</translation>
    </message>
    <message>
        <source>添加帧</source>
        <translation>Add Frame</translation>
    </message>
    <message>
        <source>拷贝帧</source>
        <translation>Copy Frame</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete Frame</translation>
    </message>
    <message>
        <source>新建动作</source>
        <translation>New Action</translation>
    </message>
    <message>
        <source>删除动作</source>
        <translation>Delete Action</translation>
    </message>
    <message>
        <source>插入动作帧</source>
        <translation>Insert Key</translation>
    </message>
    <message>
        <source>移动动作帧</source>
        <translation>Move Key</translation>
    </message>
    <message>
        <source>删除动作帧</source>
        <translation>Delete Key</translation>
    </message>
    <message>
        <source>插入空白时间</source>
        <translation>Insert Time</translation>
    </message>
    <message>
        <source>删除空白时间</source>
        <translation>Delete Time</translation>
    </message>
    <message>
        <source>放置裁剪块</source>
        <translation>Place Module</translation>
    </message>
    <message>
        <source>删除帧中模块</source>
        <translation>Delete Placed Module</translation>
    </message>
    <message>
        <source>调整模块顺序</source>
        <translation>Reorder Modules</translation>
    </message>
    <message>
        <source>移动模块</source>
        <translation>Move Module</translation>
    </message>
    <message>
        <source>移动整帧</source>
        <translation>Move Frame</translation>
    </message>
    <message>
        <source>水平翻转</source>
        <translation>Flip Horizontal</translation>
    </message>
    <message>
        <source>垂直翻转</source>
        <translation>Flip Vertical</translation>
    </message>
    <message>
        <source>旋转模块</source>
        <translation>Rotate Module</translation>
    </message>
    <message>
        <source>移动标签</source>
        <translation>Move Tag</translation>
    </message>
    <message>
        <source>修改碰撞区域</source>
        <translation>Change Collision Box</translation>
    </message>
    <message>
        <source>修改名字</source>
        <translation>Rename Actor</translation>
    </message>
    <message>
        <source>修改属性</source>
        <translation>Edit Properties</translation>
    </message>
    <message>
        <source>修改模块属性</source>
        <translation>Edit Module</translation>
    </message>
    <message>
        <source>修改帧属性</source>
        <translation>Edit Frame</translation>
    </message>
    <message>
        <source>修改动作属性</source>
        <translation>Edit Action</translation>
    </message>
    <message>
        <source>调整裁剪块</source>
        <translation>Reshape Module</translation>
    </message>
    <message>
        <source>重命名帧</source>
        <translation>Rename Frame</translation>
    </message>
    <message>
        <source>重命名动作</source>
        <translation>Rename Action</translation>
    </message>
    <message>
        <source>修改标签</source>
        <translation>Edit Tag</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>帧中模块</source>
        <translation>placed modules</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>动作帧</source>
        <translation>keys</translation>
    </message>
    <message>
        <source>裁剪块</source>
        <translation>modules</translation>
    </message>
    <message>
        <source>已复制 %d 个%s</source>
        <translation>Copied %d %s</translation>
    </message>
    <message>
        <source>已剪切 %d 个%s</source>
        <translation>Cut %d %s</translation>
    </message>
    <message>
        <source>已粘贴 %d 个%s</source>
        <translation>Pasted %d %s</translation>
    </message>
    <message>
        <source>贴图 %s 不在文档的文件夹 %s 中，保存前请把它放到那里。</source>
        <translation>The texture %s is not in the document&apos;s folder %s; put it there before saving.</translation>
    </message>
    <message>
        <source>剪贴板中的内容已损坏，没有粘贴：%s</source>
        <translation>The clipboard content is damaged and was not pasted: %s</translation>
    </message>
    <message>
        <source>剪贴板中的内容在这里无处粘贴</source>
        <translation>The clipboard content cannot be pasted here</translation>
    </message>
    <message>
        <source>自动切割</source>
        <translation>Auto Slice</translation>
    </message>
    <message>
        <source>自动切割：添加了 %1 个裁剪块</source>
        <translation>Auto slice: added %1 modules</translation>
    </message>
    <message>
        <source>自动切割：没有新的裁剪块</source>
        <translation>Auto slice: no new modules</translation>
    </message>
    <message>
        <source>按网格</source>
        <translation>By Grid</translation>
    </message>
    <message>
        <source>按不透明区域</source>
        <translation>By Opaque Areas</translation>
    </message>
    <message>
        <source>单元宽</source>
        <translation>Cell width</translation>
    </message>
    <message>
        <source>单元高</source>
        <translation>Cell height</translation>
    </message>
    <message>
        <source>偏移 X</source>
        <translation>Offset X</translation>
    </message>
    <message>
        <source>偏移 Y</source>
        <translation>Offset Y</translation>
    </message>
    <message>
        <source>间距 X</source>
        <translation>Spacing X</translation>
    </message>
    <message>
        <source>间距 Y</source>
        <translation>Spacing Y</translation>
    </message>
    <message>
        <source>跳过没有不透明像素的单元</source>
        <translation>Skip cells without opaque pixels</translation>
    </message>
    <message>
        <source>合并距离</source>
        <translation>Merge distance</translation>
    </message>
    <message>
        <source>最小尺寸</source>
        <translation>Minimum size</translation>
    </message>
    <message>
        <source>找到 %1 个矩形，其中 %2 个是新的</source>
        <translation>Found %1 rectangles, %2 of them new</translation>
    </message>
    <message>
        <source>矩形太多（最多 65535 个）：请加大单元或合并距离</source>
        <translation>Too many rectangles (at most 65535): make the cells or the merge distance larger</translation>
    </message>
    <message>
        <source>无法读取贴图文件：%1</source>
        <translation>Cannot read the texture file: %1</translation>
    </message>
    <message>
        <source>切割网格：裁剪块的边对齐到几个像素</source>
        <translation>Cut grid: module edges snap to this many pixels</translation>
    </message>
    <message>
        <source>网格 %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>已重新载入贴图 </source>
        <translation>Reloaded the texture </translation>
    </message>
    <message>
        <source>无法重新载入贴图 </source>
        <translation>Cannot reload the texture </translation>
    </message>
    <message>
        <source>；超出贴图范围的模块：</source>
        <translation>; modules outside the texture: </translation>
    </message>
    <message>
        <source>（缺失）</source>
        <translation> (missing)</translation>
    </message>
    <message>
        <source>定位…</source>
        <translation>Locate…</translation>
    </message>
    <message>
        <source>无法找到贴图：</source>
        <translation>Textures not found:</translation>
    </message>
    <message>
        <source>查找过的文件夹：</source>
        <translation>Folders searched:</translation>
    </message>
    <message>
        <source>语言 / Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>下次启动时使用中文界面</source>
        <translation>Use the Chinese interface from the next start</translation>
    </message>
    <message>
        <source>下次启动时使用英文界面</source>
        <translation>Use the English interface from the next start</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时更改 / The interface language changes at the next start</source>
        <translation>The interface language changes at the next start</translation>
    </message>
    <message>
        <source>文字中有无法保存的字符（只能使用 GBK 字符集中的字符）。</source>
        <translation>The text has characters that cannot be saved (only characters of the GBK set can).</translation>
    </message>
    <message>
        <source>文字中不能有空字符。</source>
        <translation>The text cannot hold a null character.</translation>
    </message>
    <message>
        <source>名字太长：最多 31 个字节（一个汉字占 2 个字节）。</source>
        <translation>The name is too long: at most 31 bytes (a Chinese character takes 2).</translation>
    </message>
    <message>
        <source>文字太长：最多 128 个字符。</source>
        <translation>The text is too long: at most 128 characters.</translation>
    </message>
    <message>
        <source>%1 只能是 %2 到 %3 之间的整数，输入的 &quot;%4&quot; 没有采用。</source>
        <translation>%1 takes whole numbers from %2 to %3; &quot;%4&quot; was not taken.</translation>
    </message>
    <message>
        <source>%1 只能是 %2 到 %3 之间的数，输入的 &quot;%4&quot; 没有采用。</source>
        <translation>%1 takes numbers from %2 to %3; &quot;%4&quot; was not taken.</translation>
    </message>
    <message>
        <source>当前帧 %4u 	 当前帧索引号 %4d 	 帧频率 %2.1f fps 	 运行时间 %3.3f s  bInterpolation=%d</source>
        <translation>Tick %4u 	 Frame index %4d 	 Rate %2.1f fps 	 Time %3.3f s  bInterpolation=%d</translation>
    </message>
    <message>
        <source>删除此帧</source>
        <translation>Delete This Key</translation>
    </message>
    <message>
        <source>添加当前帧 [%1]</source>
        <translation>Add Current Frame [%1]</translation>
    </message>
    <message>
        <source>OpenGL 3.3 无法启动: 动画视图不可用</source>
        <translation>OpenGL 3.3 cannot start: the animation view is not available</translation>
    </message>
    <message>
        <source>字符“%1”无法保存，请换用其他字符</source>
        <translation>The character “%1” cannot be saved; use another one</translation>
    </message>
    <message>
        <source>文字太长：最多 %1 个字节（一个汉字占 2 个字节）</source>
        <translation>The text is too long: at most %1 bytes (a Chinese character takes 2)</translation>
    </message>
    <message>
        <source>错误：无法打开有关的hKEY</source>
        <translation>Error: cannot open the registry key</translation>
    </message>
    <message>
        <source>错误：无法查询有关的注册表信息</source>
        <translation>Error: cannot read the registry value</translation>
    </message>
    <message>
        <source>错误：无法设置有关的注册表信息</source>
        <translation>Error: cannot set the registry value</translation>
    </message>
    <message>
        <source>恢复</source>
        <comment>what to do with a recovery copy</comment>
        <translation>Restore</translation>
    </message>
    <message>
        <source>动作</source>
        <comment>the field of an action&apos;s name</comment>
        <translation>Action</translation>
    </message>
    <message>
        <source>帧数</source>
        <comment>the number of modules placed in a frame</comment>
        <translation>Modules</translation>
    </message>
    <message>
        <source>放大</source>
        <comment>a narrow button</comment>
        <translation>In</translation>
    </message>
    <message>
        <source>缩小</source>
        <comment>a narrow button</comment>
        <translation>Out</translation>
    </message>
    <message>
        <source>添加</source>
        <comment>a narrow button</comment>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <comment>a narrow button</comment>
        <translation>Del</translation>
    </message>
    <message>
        <source>自动切割</source>
        <comment>a narrow button</comment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>把动作导出为精灵表、PNG 序列或 GIF 动画</source>
        <translation>Export actions as a sprite sheet, a PNG sequence or animated GIFs</translation>
    </message>
    <message>
        <source>导出精灵表…</source>
        <translation>Export Sprite Sheet…</translation>
    </message>
    <message>
        <source>导出精灵表</source>
        <translation>Export Sprite Sheet</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>精灵表</source>
        <translation>Sprite sheet</translation>
    </message>
    <message>
        <source>PNG 序列</source>
        <translation>PNG sequence</translation>
    </message>
    <message>
        <source>GIF 动画</source>
        <translation>Animated GIF</translation>
    </message>
    <message>
        <source>缩放倍数</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>图片间隔（像素）</source>
        <translation>Padding (pixels)</translation>
    </message>
    <message>
        <source>裁掉透明边缘</source>
        <translation>Trim transparent edges</translation>
    </message>
    <message>
        <source>输出文件夹</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>浏览…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>请至少选择一个动作</source>
        <translation>Choose at least one action</translation>
    </message>
    <message>
        <source>请选择输出文件夹</source>
        <translation>Choose an output folder</translation>
    </message>
    <message>
        <source>正在导出</source>
        <translation>Exporting</translation>
    </message>
    <message>
        <source>导出完成，共 %1 个文件。要打开输出文件夹吗？</source>
        <translation>Export finished: %1 files. Open the output folder?</translation>
    </message>
    <message>
        <source>导出失败：%1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>导出已取消</source>
        <translation>Export cancelled</translation>
    </message>
    <message>
        <source>动画视图</source>
        <translation>Animation view</translation>
    </message>
    <message>
        <source>没有显示帧</source>
        <translation>No frame shown</translation>
    </message>
    <message>
        <source>帧 %1</source>
        <translation>Frame %1</translation>
    </message>
    <message>
        <source>动作 %1，时间 %2：帧 %3</source>
        <translation>Action %1, time %2: frame %3</translation>
    </message>
    <message>
        <source>动作 %1：播放中</source>
        <translation>Action %1: playing</translation>
    </message>
    <message>
        <source>时间轴</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>时间 %1：%2</source>
        <translation>Time %1: %2</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>时间标尺</source>
        <translation>Time ruler</translation>
    </message>
    <message>
        <source>播放位置</source>
        <translation>Play position</translation>
    </message>
    <message>
        <source>裁剪视图</source>
        <translation>Cutting view</translation>
    </message>
    <message>
        <source>模块 %1: %2,%3 %4×%5</source>
        <translation>Module %1: %2,%3 %4×%5</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>输入内容</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>裁剪块列表</source>
        <translation>Module list</translation>
    </message>
    <message>
        <source>帧列表</source>
        <translation>Frame list</translation>
    </message>
    <message>
        <source>动作列表</source>
        <translation>Action list</translation>
    </message>
    <message>
        <source>动作帧列表</source>
        <translation>Key list</translation>
    </message>
    <message>
        <source>帧中模块列表</source>
        <translation>Placed modules</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
</context>
</TS>
