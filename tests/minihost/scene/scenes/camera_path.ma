//Maya ASCII 2024 scene
//Name: camera_path.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "track";
	setAttr ".t" -type "double3" 0 100 0 ;
createNode nurbsCurve -n "trackShape" -p "track";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		3 2 0 no 3
		7 0 0 0 1 2 2 2
		5
		0 0 0
		-100 0 0
		-200 0 0
		-300 0 0
		-400 0 0
		;
createNode transform -n "pathCam";
createNode camera -n "pathCamShape" -p "pathCam";
	setAttr -k off ".v";
	setAttr ".ncp" 1;
createNode transform -n "loop";
createNode nurbsCurve -n "loopShape" -p "loop";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		3 4 2 no 3
		9 -2 -1 0 1 2 3 4 5 6
		7
		100 0 0
		0 100 0
		-100 0 0
		0 -100 0
		100 0 0
		0 100 0
		-100 0 0
		;
createNode transform -n "loopRider";
createNode transform -n "arc";
createNode nurbsCurve -n "arcShape" -p "arc";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		2 1 0 yes 3
		4 0 0 1 1
		3
		10 0 0 1
		10 10 0 0.70710678118654757
		0 10 0 1
		;
createNode transform -n "arcRider";
createNode transform -n "history";
createNode nurbsCurve -n "historyShape" -p "history";
	setAttr -k off ".v";
createNode transform -n "stuck";
	setAttr ".t" -type "double3" 7 0 0 ;
createNode makeNurbCircle -n "makeNurbCircle1";
createNode motionPath -n "motionPath1";
	setAttr -s 2 ".pmt";
	setAttr ".f" yes;
	setAttr ".fa" 2;
	setAttr ".ua" 1;
	setAttr ".if" yes;
	setAttr ".fm" yes;
createNode animCurveTL -n "motionPath1_uValue";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]"  1 0 11 1;
createNode addDoubleLinear -n "addDoubleLinear1";
createNode addDoubleLinear -n "addDoubleLinear2";
createNode addDoubleLinear -n "addDoubleLinear3";
createNode motionPath -n "motionPath2";
	setAttr ".fm" yes;
createNode motionPath -n "motionPath3";
	setAttr ".u" 0.5;
createNode motionPath -n "motionPath4";
	setAttr ".u" 0.5;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 11 -ast 1 -aet 11 ";
	setAttr ".st" 6;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".fs" 1;
	setAttr ".ef" 11;
connectAttr "motionPath1_uValue.o" "motionPath1.u";
connectAttr "trackShape.ws" "motionPath1.gp";
connectAttr "pathCam.tmrx" "addDoubleLinear1.i1";
connectAttr "motionPath1.xc" "addDoubleLinear1.i2";
connectAttr "pathCam.tmry" "addDoubleLinear2.i1";
connectAttr "motionPath1.yc" "addDoubleLinear2.i2";
connectAttr "pathCam.tmrz" "addDoubleLinear3.i1";
connectAttr "motionPath1.zc" "addDoubleLinear3.i2";
connectAttr "addDoubleLinear1.o" "pathCam.tx";
connectAttr "addDoubleLinear2.o" "pathCam.ty";
connectAttr "addDoubleLinear3.o" "pathCam.tz";
connectAttr "motionPath1.msg" "pathCam.sml";
connectAttr "motionPath1.rx" "pathCam.rx";
connectAttr "motionPath1.ry" "pathCam.ry";
connectAttr "motionPath1.rz" "pathCam.rz";
connectAttr "motionPath1.ro" "pathCam.ro";
connectAttr "loopShape.ws" "motionPath2.gp";
connectAttr "motionPath2.ac" "loopRider.t";
connectAttr "arcShape.ws" "motionPath3.gp";
connectAttr "motionPath3.ac" "arcRider.t";
connectAttr "makeNurbCircle1.oc" "historyShape.cr";
connectAttr "historyShape.ws" "motionPath4.gp";
connectAttr "motionPath4.xc" "stuck.tx";
// End of camera_path.ma
