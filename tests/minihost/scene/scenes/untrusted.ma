//Maya ASCII 2024 scene
//Name: untrusted.ma
requires maya "2024";
requires -nodeType "fancyNode" "fancyPlugin" "1.0";
currentUnit -l centimeter -a degree -t film;
python("import os; os.system('touch /tmp/vxr_scene_python_ran')");
system "touch /tmp/vxr_scene_system_ran";
eval "createNode transform -n evalMade";
global proc madeByScene() {
	createNode transform -n "procMade";
}
madeByScene;
createNode transform -n "target";
createNode script -n "onOpen";
	setAttr ".b" -type "string" "createNode transform -n scriptMade;";
	setAttr ".st" 1;
createNode expression -n "expression1";
	setAttr -k on ".nds";
	setAttr ".ixp" -type "string" ".O[0] = frame;";
createNode geometryConstraint -n "target_geometryConstraint1" -p "target";
createNode fancyNode -n "fancy1";
createNode motionPath -n "motionPath1";
file -rdi 1 -ns "prop" -rfn "propRN" "/projects/prop.ma";
createNode transform -n "holder";
parent -s -nc -r -add "|target" "holder";
connectAttr "motionPath1.xc" "target.tx";
connectAttr "fancy1.out" "target.ty";
