//Maya ASCII 2020 scene
createNode transform -n "a";
createNode transform -n "b" -p "|a";
createNode transform -n "b" -p "a|b";
createNode camera -n "cam" -p "|a|b|b";
select -ne :time1;
	setAttr ".o" 1e308;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min $s -max 1e999 -by 0 ;";
