//Maya ASCII 2024 scene
//Name: added_attributes.ma
requires maya "2024";
currentUnit -l meter -a degree -t film;
createNode transform -n "ctrl";
	addAttr -ci true -k true -sn "fl" -ln "follow" -min 0 -max 1 -at "double";
	addAttr -ci true -sn "spc" -ln "space" -nn "Space" -min 0 -max 2 -en "world:local:parent" 
		-at "enum";
	addAttr -ci true -sn "off" -ln "offset" -at "double3" -nc 3;
	addAttr -ci true -sn "offx" -ln "offsetX" -at "doubleLinear" -p "offset";
	addAttr -ci true -sn "offy" -ln "offsetY" -at "doubleLinear" -p "offset";
	addAttr -ci true -sn "offz" -ln "offsetZ" -at "doubleLinear" -p "offset";
	addAttr -ci true -sn "tw" -ln "twist" -dv 90 -at "doubleAngle";
	addAttr -ci true -sn "nt" -ln "notes" -dt "string";
	addAttr -ci true -sn "tgt" -ln "target" -at "message";
	addAttr -ci true -sn "cnt" -ln "count" -dv 3 -at "long";
	addAttr -ci true -m -sn "wl" -ln "weightList" -at "double";
	addAttr -ci true -sn "mtx" -ln "offsetMatrix" -at "matrix";
	addAttr -ci true -sn "tx" -ln "clash" -at "double";
	setAttr -k on ".fl" 0.25;
	setAttr ".spc" 2;
	setAttr ".off" -type "double3" 1 2 3 ;
	setAttr ".nt" -type "string" "hero control";
	setAttr -l on ".tz" 0.5;
	setAttr -l on ".sx";
	setAttr -l on ".r";
createNode transform -n "box";
	setAttr -l on ".ty";
createNode animCurveTU -n "ctrl_follow";
	setAttr ".tan" 2;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 0 11 1;
connectAttr "ctrl_follow.o" "ctrl.fl";
connectAttr "ctrl.off" "box.t";
connectAttr "box.msg" "ctrl.tgt";
// End of added_attributes.ma
